// The run's catalogue: a Qt translator loaded once at start-up and then only read.
#include "platform/language/catalogue.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QString>
#include <QTranslator>
#include <memory>

namespace language {
namespace {

// Written at start-up before other threads run, read from any thread afterwards.
Language g_language = Language::russian;
std::unique_ptr<QTranslator> g_catalogue;

QString qt_path(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

} // namespace

std::string catalogue_file_name(Language language) {
    return "talvena_" + std::string(language_code(language)) + ".qm";
}

bool use_catalogue(Language language, const std::filesystem::path& path) {
    auto catalogue = std::make_unique<QTranslator>();
    if (!catalogue->load(qt_path(path)) || catalogue->isEmpty())
        return false;
    g_catalogue = std::move(catalogue);
    g_language = language;
    return true;
}

void use_russian() {
    g_catalogue.reset();
    g_language = Language::russian;
}

Language use_language(Language wanted, std::span<const std::filesystem::path> folders) {
    use_russian();
    if (wanted == Language::russian)
        return g_language;
    const std::string name = catalogue_file_name(wanted);
    for (const std::filesystem::path& folder : folders) {
        std::error_code error;
        if (std::filesystem::is_regular_file(folder / name, error) &&
            use_catalogue(wanted, folder / name))
            break;
    }
    return g_language;
}

Language current_language() {
    return g_language;
}

std::string translate(const char* context, const char* source) {
    if (!g_catalogue)
        return source;
    const QString text = g_catalogue->translate(context, source);
    return text.isEmpty() ? std::string(source) : text.toStdString();
}

std::string translate(const char* context, std::string_view source) {
    return translate(context, std::string(source).c_str());
}

std::string fill_in(std::string_view text, std::initializer_list<std::string_view> arguments) {
    std::string filled;
    filled.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        const auto index = static_cast<size_t>(next - '1');
        if (text[i] == '%' && next >= '1' && next <= '9' && index < arguments.size()) {
            filled += arguments.begin()[index];
            ++i;
        } else {
            filled += text[i];
        }
    }
    return filled;
}

void install_toolkit_translations() {
    if (!QCoreApplication::instance())
        return;
    // Never removed: the boxes of the whole run use it.
    auto* toolkit = new QTranslator(QCoreApplication::instance());
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QString name =
        QStringLiteral("qtbase_") + QString::fromLatin1(language_code(g_language).data(), 2);
    if (toolkit->load(name, folder))
        QCoreApplication::installTranslator(toolkit);
    else
        delete toolkit;
}

} // namespace language
