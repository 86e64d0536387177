// The registered provider of the side last drawn.
#include "scripted/answer_side.h"

#include <memory>
#include <mutex>

namespace scripted {
namespace {

struct ProviderState {
    std::mutex mutex;
    std::shared_ptr<const AnswerSideProvider> provider;
};

ProviderState& provider_state() {
    static ProviderState state;
    return state;
}

} // namespace

void set_answer_side_provider(AnswerSideProvider provider) {
    auto shared =
        provider ? std::make_shared<const AnswerSideProvider>(std::move(provider)) : nullptr;
    ProviderState& state = provider_state();
    std::lock_guard lock(state.mutex);
    state.provider = std::move(shared);
}

std::optional<int32_t> current_answer_side() {
    std::shared_ptr<const AnswerSideProvider> provider;
    {
        ProviderState& state = provider_state();
        std::lock_guard lock(state.mutex);
        provider = state.provider;
    }
    // Called outside the lock, so that a provider may itself register or remove providers.
    if (!provider)
        return std::nullopt;
    return (*provider)();
}

} // namespace scripted
