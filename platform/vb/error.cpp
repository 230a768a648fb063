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
    case 5: return u"Неверный вызов процедуры или неверный аргумент";
    case 6: return u"Переполнение";
    case 7: return u"Не хватает памяти";
    case 9: return u"Индекс выходит за пределы допустимого диапазона";
    case 11: return u"Деление на ноль";
    case 13: return u"Несоответствие типа";
    case 52: return u"Неверное имя или номер файла";
    case 53: return u"Файл не найден";
    case 54: return u"Неверный режим файла";
    case 55: return u"Файл уже открыт";
    case 57: return u"Ошибка ввода-вывода устройства";
    case 58: return u"Файл уже существует";
    case 61: return u"Диск заполнен";
    case 62: return u"Ввод за концом файла";
    case 63: return u"Неверный номер записи";
    case 67: return u"Слишком много файлов";
    case 68: return u"Устройство недоступно";
    case 70: return u"Отказано в разрешении";
    case 71: return u"Диск не готов";
    case 75: return u"Ошибка доступа к пути или файлу";
    case 76: return u"Путь не найден";
    case 91: return u"Не задана объектная переменная";
    case 340: return u"Элемент массива элементов управления не существует";
    case 360: return u"Объект уже загружен";
    case 364: return u"Объект был выгружен";
    case 380: return u"Недопустимое значение свойства";
    case 381: return u"Недопустимый индекс массива свойств";
    case 383: return u"Свойство доступно только для чтения";
    case 400: return u"Форма уже отображена; невозможно показать модально";
    case 457: return u"Этот ключ уже связан с элементом данного семейства";
    case 481: return u"Неверное изображение";
    default: return {};
  }
}

std::u16string ErrorSource(std::u16string_view tag) { return App.EXEName() + u"." + std::u16string(tag); }

}  // namespace vb
