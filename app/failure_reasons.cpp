// File failures in the run's language (Russian in the code).
#include "app/failure_reasons.h"

#include "platform/language/catalogue.h"

#include <cerrno>
#include <system_error>

std::string app_error_text(int error) {
    switch (error) {
    case ENOSPC:
        return language::translate("file errors", "на диске не осталось места");
    case EDQUOT:
        return language::translate("file errors", "исчерпана дисковая квота");
    case EACCES:
    case EPERM:
        return language::translate("file errors", "нет прав доступа");
    case EROFS:
        return language::translate("file errors", "файловая система только для чтения");
    case EISDIR:
        return language::translate("file errors", "на месте файла находится папка");
    case ENOTDIR:
        return language::translate("file errors", "в пути к файлу стоит не папка");
    case ENOENT:
        return language::translate("file errors", "папка не найдена");
    case EIO:
        return language::translate("file errors", "ошибка ввода-вывода");
    case EFBIG:
        return language::translate("file errors", "файл слишком велик");
    default:
        return std::generic_category().message(error);
    }
}

std::string app_action_text(const std::string& action) {
    if (action == "cannot open")
        return language::translate("file errors", "не удалось открыть");
    if (action == "cannot write")
        return language::translate("file errors", "не удалось записать");
    if (action == "cannot flush")
        return language::translate("file errors", "не удалось сохранить на диск");
    if (action == "cannot close")
        return language::translate("file errors", "не удалось закрыть");
    if (action == "cannot read")
        return language::translate("file errors", "не удалось прочитать");
    if (action == APP_CANNOT_MAKE_FOLDER)
        return language::translate("file errors", "не удалось создать папку для файла");
    return action;
}
