// File failures in Russian.
#include "app/failure_reasons.h"

#include <cerrno>
#include <system_error>

std::string app_error_text(int error) {
    switch (error) {
    case ENOSPC:
        return "на диске не осталось места";
    case EDQUOT:
        return "исчерпана дисковая квота";
    case EACCES:
    case EPERM:
        return "нет прав доступа";
    case EROFS:
        return "файловая система только для чтения";
    case EISDIR:
        return "на месте файла находится папка";
    case ENOTDIR:
        return "в пути к файлу стоит не папка";
    case ENOENT:
        return "папка не найдена";
    case EIO:
        return "ошибка ввода-вывода";
    case EFBIG:
        return "файл слишком велик";
    default:
        return std::generic_category().message(error);
    }
}

std::string app_action_text(const std::string& action) {
    if (action == "cannot open")
        return "не удалось открыть";
    if (action == "cannot write")
        return "не удалось записать";
    if (action == "cannot flush")
        return "не удалось сохранить на диск";
    if (action == "cannot close")
        return "не удалось закрыть";
    if (action == "cannot read")
        return "не удалось прочитать";
    if (action == APP_CANNOT_MAKE_FOLDER)
        return "не удалось создать папку для файла";
    return action;
}
