#include "platform/vb/error.h"

#include "platform/vb/app.h"
#include "platform/vb/strings.h"

namespace vb {

Error::Error(std::int32_t number, std::u16string source, std::u16string description)
    : Number(number), Source(std::move(source)), Description(std::move(description)) {
  what_ = "error " + std::to_string(Number) + " (" + ToUtf8(Source) + "): " + ToUtf8(Description);
}

void Raise(std::int32_t number, std::u16string source, std::u16string description) {
  if (description.empty() && number > 0 && number < 1000) description = StandardErrorText(number);
  throw Error(number, std::move(source), std::move(description));
}

std::u16string StandardErrorText(std::int32_t number) {
  switch (number) {
    case err::kInvalidProcedureCall: return u"Неверный вызов процедуры или неверный аргумент";
    case err::kOverflow: return u"Переполнение";
    case err::kOutOfMemory: return u"Не хватает памяти";
    case err::kSubscriptOutOfRange: return u"Индекс выходит за пределы допустимого диапазона";
    case err::kDivisionByZero: return u"Деление на ноль";
    case err::kTypeMismatch: return u"Несоответствие типа";
    case err::kBadFileNameOrNumber: return u"Неверное имя или номер файла";
    case err::kFileNotFound: return u"Файл не найден";
    case err::kBadFileMode: return u"Неверный режим файла";
    case err::kFileAlreadyOpen: return u"Файл уже открыт";
    case err::kDeviceIOError: return u"Ошибка ввода-вывода устройства";
    case err::kFileAlreadyExists: return u"Файл уже существует";
    case err::kDiskFull: return u"Диск заполнен";
    case err::kInputPastEndOfFile: return u"Ввод за концом файла";
    case err::kBadRecordNumber: return u"Неверный номер записи";
    case err::kTooManyFiles: return u"Слишком много файлов";
    case err::kDeviceUnavailable: return u"Устройство недоступно";
    case err::kPermissionDenied: return u"Отказано в разрешении";
    case err::kDiskNotReady: return u"Диск не готов";
    case err::kPathFileAccessError: return u"Ошибка доступа к пути или файлу";
    case err::kPathNotFound: return u"Путь не найден";
    case err::kObjectVariableNotSet: return u"Не задана объектная переменная";
    case err::kControlArrayElementMissing: return u"Элемент массива элементов управления не существует";
    case err::kObjectAlreadyLoaded: return u"Объект уже загружен";
    case err::kObjectWasUnloaded: return u"Объект был выгружен";
    case err::kInvalidPropertyValue: return u"Недопустимое значение свойства";
    case err::kInvalidPropertyArrayIndex: return u"Недопустимый индекс массива свойств";
    case err::kPropertyIsReadOnly: return u"Свойство доступно только для чтения";
    case err::kFormAlreadyShown: return u"Форма уже отображена; невозможно показать модально";
    case err::kKeyAlreadyInCollection: return u"Этот ключ уже связан с элементом данного семейства";
    case err::kInvalidPicture: return u"Неверное изображение";
    default: return {};
  }
}

std::u16string ErrorSource(std::u16string_view tag) { return App.EXEName() + u"." + std::u16string(tag); }

}  // namespace vb
