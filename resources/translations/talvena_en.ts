<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>card check</name>
    <message>
        <source>Приложите к экрану банковскую карту и подгоните рамку под её края.</source>
        <translation>Hold a bank card against the screen and fit the frame to its edges.</translation>
    </message>
    <message>
        <source>Рамка больше: + или стрелка вверх / вправо; меньше: - или стрелка вниз / влево.</source>
        <translation>Larger frame: + or arrow up / right; smaller: - or arrow down / left.</translation>
    </message>
    <message>
        <source>Enter — принять диагональ, Esc — оставить прежнюю.</source>
        <translation>Enter: accept the diagonal; Esc: keep the previous one.</translation>
    </message>
    <message>
        <source>Диагональ: %1,%2 дюйма</source>
        <translation>Diagonal: %1.%2 inches</translation>
    </message>
</context>
<context>
    <name>dialog IDD_DIALOG1</name>
    <message>
        <source>Выйти из программы</source>
        <translation>Leave the program</translation>
    </message>
    <message>
        <source>Начать работу</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Ввод параметров.    Если надо, измените!</source>
        <translation>Parameters.    Change them if needed!</translation>
    </message>
    <message>
        <source>Дальность до дисплея</source>
        <translation>Distance to display</translation>
    </message>
    <message>
        <source>сантиметров</source>
        <translation>centimetres</translation>
    </message>
    <message>
        <source>Диагональ дисплея</source>
        <translation>Display diagonal</translation>
    </message>
    <message>
        <source>дюймов</source>
        <translation>inches</translation>
    </message>
    <message>
        <source>Разрешение экрана</source>
        <translation>Screen resolution</translation>
    </message>
    <message>
        <source>Объем тренировки</source>
        <translation>Training volume</translation>
    </message>
    <message>
        <source>изображений</source>
        <translation>images</translation>
    </message>
    <message>
        <source>пикселов на экран</source>
        <translation>pixels on screen</translation>
    </message>
    <message>
        <source>(Не поленитесь, измерьте!</source>
        <translation>(Do measure it, please!</translation>
    </message>
    <message>
        <source>1дюйм=25.4мм)</source>
        <translation>1in=25.4mm)</translation>
    </message>
    <message>
        <source>Сверить с картой…</source>
        <translation>Check with a card…</translation>
    </message>
</context>
<context>
    <name>drawing window</name>
    <message>
        <source>Тренажер для глаз</source>
        <translation>Eye Trainer</translation>
    </message>
</context>
<context>
    <name>file errors</name>
    <message>
        <source>на диске не осталось места</source>
        <translation>no space left on the disk</translation>
    </message>
    <message>
        <source>исчерпана дисковая квота</source>
        <translation>disk quota exceeded</translation>
    </message>
    <message>
        <source>нет прав доступа</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>файловая система только для чтения</source>
        <translation>read-only file system</translation>
    </message>
    <message>
        <source>на месте файла находится папка</source>
        <translation>a folder stands where the file should be</translation>
    </message>
    <message>
        <source>в пути к файлу стоит не папка</source>
        <translation>something in the file&apos;s path is not a folder</translation>
    </message>
    <message>
        <source>папка не найдена</source>
        <translation>folder not found</translation>
    </message>
    <message>
        <source>ошибка ввода-вывода</source>
        <translation>input/output error</translation>
    </message>
    <message>
        <source>файл слишком велик</source>
        <translation>file too large</translation>
    </message>
    <message>
        <source>не удалось открыть</source>
        <translation>cannot open</translation>
    </message>
    <message>
        <source>не удалось записать</source>
        <translation>cannot write</translation>
    </message>
    <message>
        <source>не удалось сохранить на диск</source>
        <translation>cannot save to disk</translation>
    </message>
    <message>
        <source>не удалось закрыть</source>
        <translation>cannot close</translation>
    </message>
    <message>
        <source>не удалось прочитать</source>
        <translation>cannot read</translation>
    </message>
    <message>
        <source>не удалось создать папку для файла</source>
        <translation>cannot make the file&apos;s folder</translation>
    </message>
    <message>
        <source>это не обычный файл</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <source>в записи есть конец строки</source>
        <translation>the record holds a line end</translation>
    </message>
</context>
<context>
    <name>instruction</name>
    <message>
        <source>Программа - тренажер для глаз TALVENA. </source>
        <translation>TALVENA, a program that trains the eyes. </translation>
    </message>
    <message>
        <source>НАЧАЛО: левая кнопка мыши - ТРЕНИРОВКА с текущим размером, правая - ПРОВЕРКА ЗРЕНИЯ, обе кнопки -  выход из программы</source>
        <translation>START: left mouse button - TRAINING at the current size, right - VISION TEST, both buttons - leave the program</translation>
    </message>
    <message>
        <source>ТРЕНИРОВКА: Цифра слева - жмите левую кнопку мыши, справа - правую, обе кнопки - переход в НАЧАЛО</source>
        <translation>TRAINING: figure on the left - press the left mouse button, on the right - the right one, both - back to START</translation>
    </message>
    <message>
        <source>ПРОВЕРКА ЗРЕНИЯ: Зазор слева - жмите левую кнопку мыши, справа - правую, обе кнопки - переход в НАЧАЛО</source>
        <translation>VISION TEST: gap on the left - press the left mouse button, on the right - the right one, both - back to START</translation>
    </message>
    <message>
        <source>Подробная инструкция на страничке https://talvena.example/,там же гостевая книга.</source>
        <translation>Full instructions at https://talvena.example/, with a guest book.</translation>
    </message>
    <message>
        <source>Пожалуйста, напишите о своем опыте работы с программой</source>
        <translation>Please write about your experience with the program</translation>
    </message>
</context>
<context>
    <name>menu bar</name>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Итоги_тренировок</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>Инструкция</source>
        <translation>Instructions</translation>
    </message>
</context>
<context>
    <name>parameter dialog</name>
    <message>
        <source>Объем тренировки: нужно целое число изображений больше нуля.</source>
        <translation>Training volume: a whole number of images above zero is needed.</translation>
    </message>
    <message>
        <source>Разрешение этого экрана — %1 × %2 пикселов, а введено %3 × %4.
Кольца будут нарисованы не в своём размере, и острота будет измерена неверно.

Вернуться к параметрам?</source>
        <translation>This screen&apos;s resolution is %1 × %2 pixels, but %3 × %4 was entered.
The rings will not be drawn at their true size, and the acuity will be measured wrongly.

Go back to the parameters?</translation>
    </message>
    <message>
        <source>Диалог IDD_DIALOG1 не найден</source>
        <translation>Dialog IDD_DIALOG1 not found</translation>
    </message>
    <message>
        <source>Дальность до дисплея: нужно число сантиметров от 10 до 1000.</source>
        <translation>Distance to display: a number of centimetres from 10 to 1000 is needed.</translation>
    </message>
    <message>
        <source>Диагональ дисплея: нужно число дюймов от 5.0 до 99.9.</source>
        <translation>Display diagonal: a number of inches from 5.0 to 99.9 is needed.</translation>
    </message>
    <message>
        <source>Ny: нужно целое число пикселов от 320 до 9999.</source>
        <translation>Ny: a whole number of pixels from 320 to 9999 is needed.</translation>
    </message>
    <message>
        <source>Nx: нужно целое число пикселов от 320 до 9999.</source>
        <translation>Nx: a whole number of pixels from 320 to 9999 is needed.</translation>
    </message>
    <message>
        <source>Запомненное вне пределов и не предложено: %1. </source>
        <translation>Remembered but out of range, not offered: %1. </translation>
    </message>
    <message>
        <source>Диагональ — догадка: экран не сообщает своего размера. Измерьте её или сверьте с картой.</source>
        <translation>The diagonal is a guess: the screen does not report its size. Measure it or check it with a card.</translation>
    </message>
    <message>
        <source>дальность %1 см</source>
        <translation>distance %1 cm</translation>
    </message>
    <message>
        <source>диагональ %1 дюйм.</source>
        <translation>diagonal %1 in.</translation>
    </message>
</context>
<context>
    <name>result screens</name>
    <message>
        <source>Для продолжения нажмите любую кнопку мыши</source>
        <translation>Press any mouse button to continue</translation>
    </message>
</context>
<context>
    <name>results chart</name>
    <message>
        <source>Острота зрения</source>
        <translation>Visual acuity</translation>
    </message>
    <message>
        <source>Объем(200)</source>
        <translation>Volume(200)</translation>
    </message>
    <message>
        <source>2м</source>
        <translation>2m</translation>
    </message>
    <message>
        <source>Дальность(5м)</source>
        <translation>Distance(5m)</translation>
    </message>
    <message>
        <source>Квадрат(10)</source>
        <translation>Square(10)</translation>
    </message>
    <message>
        <source>1с</source>
        <translation>1s</translation>
    </message>
    <message>
        <source>Среднее_время(5с)</source>
        <translation>Mean_time(5s)</translation>
    </message>
    <message>
        <source>Число отжиманий(50)</source>
        <translation>Push-ups(50)</translation>
    </message>
    <message>
        <source>Линии сетки — по неделям</source>
        <translation>Grid lines: weeks</translation>
    </message>
    <message>
        <source>Линии сетки — по месяцам</source>
        <translation>Grid lines: months</translation>
    </message>
    <message>
        <source>Линии сетки — по годам</source>
        <translation>Grid lines: years</translation>
    </message>
    <message>
        <source>(&apos;Начало  &apos;,I2.2,&apos;.&apos;,I2.2,&apos;.&apos;,I4,&apos;г,&apos;,I3,&apos;час&apos;,I3,&apos;мин&apos;)</source>
        <translation>(&apos;Start  &apos;,I2.2,&apos;.&apos;,I2.2,&apos;.&apos;,I4,&apos;,&apos;,I3,&apos; h&apos;,I3,&apos; min&apos;)</translation>
    </message>
    <message>
        <source>(&apos;Конец  &apos;,I2.2,&apos;.&apos;,I2.2,&apos;.&apos;,I4,&apos;г,&apos;,I3,&apos;час&apos;,I3,&apos;мин&apos;)</source>
        <translation>(&apos;End  &apos;,I2.2,&apos;.&apos;,I2.2,&apos;.&apos;,I4,&apos;,&apos;,I3,&apos; h&apos;,I3,&apos; min&apos;)</translation>
    </message>
    <message>
        <source>Файл %1 не читается: %2</source>
        <translation>File %1 cannot be read: %2</translation>
    </message>
    <message>
        <source>Итоги неполны: строка %1 файла %2 не читается, дальше файл не прочитан</source>
        <translation>Results incomplete: line %1 of file %2 cannot be read, the file was not read further</translation>
    </message>
    <message>
        <source>Файл итогов: %1</source>
        <translation>Results file: %1</translation>
    </message>
    <message>
        <source>; файл итогов: %1</source>
        <translation>; results file: %1</translation>
    </message>
    <message>
        <source> (пока не создан)</source>
        <translation> (not created yet)</translation>
    </message>
</context>
<context>
    <name>results file</name>
    <message>
        <source>Результат не записан в файл %1:</source>
        <translation>The result was not written to %1:</translation>
    </message>
</context>
<context>
    <name>status bar</name>
    <message>
        <source>Измеримая острота: до %1</source>
        <translation>Measurable acuity: up to %1</translation>
    </message>
    <message>
        <source>Острота %1: разрыв кольца %2 пикс.</source>
        <translation>Acuity %1: ring gap %2 px</translation>
    </message>
    <message>
        <source>Окно на экране %1, а параметры введены для %2: кольца будут не своего размера.</source>
        <translation>The window is on a %1 screen, but the parameters were entered for %2: the rings will not be drawn at their true size.</translation>
    </message>
    <message>
        <source>Разрыв кольца меньше половины пикселя даже при 0.1</source>
        <translation>The ring&apos;s gap is under half a pixel even at 0.1</translation>
    </message>
    <message>
        <source> — меньше половины пикселя, этот уровень на таком экране не измерить</source>
        <translation>: under half a pixel, this level cannot be measured on this screen</translation>
    </message>
    <message>
        <source>лишь дальше 10 м</source>
        <translation>only beyond 10 m</translation>
    </message>
    <message>
        <source>с %1 см</source>
        <translation>from %1 cm</translation>
    </message>
    <message>
        <source>; 1.0 измерима %1, 2.0 — %2</source>
        <translation>; 1.0 is measurable %1, 2.0 %2</translation>
    </message>
    <message>
        <source>Левая кнопка мыши или клавиша ←: тренировка; правая или →: проверка зрения; обе кнопки: выход.</source>
        <translation>Left mouse button or the ← key: training; right or →: vision test; both buttons: exit.</translation>
    </message>
    <message>
        <source>Окно мало для картинки, проверка и тренировка стоят: растяните окно или разверните его.</source>
        <translation>The window is too small for the picture, the test and the training stand still: enlarge or maximise it.</translation>
    </message>
    <message>
        <source>: это высший уровень проверки. </source>
        <translation>: the test&apos;s highest level. </translation>
    </message>
    <message>
        <source>: выше этот экран с такого расстояния не показывает. </source>
        <translation>: this screen shows nothing higher from this distance. </translation>
    </message>
    <message>
        <source>Острота не менее %1</source>
        <translation>Acuity at least %1</translation>
    </message>
    <message>
        <source>Оценка по %1 ответу: %2 (%3), logMAR %4 (%5)</source>
        <translation>Estimate from %1 answer(s): %2 (%3), logMAR %4 (%5)</translation>
    </message>
    <message>
        <source>Оценка по %1 ответам: %2 (%3), logMAR %4 (%5)</source>
        <translation>Estimate from %1 answers: %2 (%3), logMAR %4 (%5)</translation>
    </message>
</context>
<context>
    <name>training</name>
    <message>
        <source>Среднее время ответа</source>
        <translation>Mean answer time</translation>
    </message>
    <message>
        <source>сек.</source>
        <translation>sec.</translation>
    </message>
    <message>
        <source>Сделайте</source>
        <translation>Do</translation>
    </message>
    <message>
        <source>Ошибок нет, отжиматься не надо!</source>
        <translation>No errors, no push-ups needed!</translation>
    </message>
    <message>
        <source> попытка</source>
        <translation> attempt</translation>
    </message>
    <message>
        <source> попытки</source>
        <translation> attempts</translation>
    </message>
    <message>
        <source> попыток</source>
        <translation> attempts</translation>
    </message>
    <message>
        <source> ошибка</source>
        <translation> error</translation>
    </message>
    <message>
        <source> ошибки</source>
        <translation> errors</translation>
    </message>
    <message>
        <source> ошибок</source>
        <translation> errors</translation>
    </message>
    <message>
        <source> раз не ответили</source>
        <translation> unanswered</translation>
    </message>
    <message>
        <source>раза не ответили</source>
        <translation> unanswered</translation>
    </message>
    <message>
        <source>отжиманиe, пожалуйста!</source>
        <translation>push-up, please!</translation>
    </message>
    <message>
        <source>отжимания, пожалуйста!</source>
        <translation>push-ups, please!</translation>
    </message>
    <message>
        <source>отжиманий, пожалуйста!</source>
        <translation>push-ups, please!</translation>
    </message>
</context>
<context>
    <name>vision test</name>
    <message>
        <source>Острота зрения</source>
        <translation>Visual acuity</translation>
    </message>
    <message>
        <source>(&apos;не менее &apos;,F4.2)</source>
        <translation>(&apos;at least &apos;,F4.2)</translation>
    </message>
    <message>
        <source>Проверка зрения не начата: с %1 см разрыв кольца даже при остроте %2 меньше половины пикселя этого экрана.
Кольца можно показать с %3 см.</source>
        <translation>The vision test was not started: from %1 cm the ring&apos;s gap is under half a pixel of this screen even at acuity %2.
The rings can be shown from %3 cm.</translation>
    </message>
    <message>
        <source>не определён</source>
        <translation>undetermined</translation>
    </message>
    <message>
        <source>не ниже %1</source>
        <translation>at least %1</translation>
    </message>
    <message>
        <source>не выше %1</source>
        <translation>at most %1</translation>
    </message>
    <message>
        <source>Оценка по всем ответам: %1, 95 % интервал %2</source>
        <translation>Estimate from all answers: %1, 95 % interval %2</translation>
    </message>
    <message>
        <source>logMAR %1, 95 % интервал %2</source>
        <translation>logMAR %1, 95 % interval %2</translation>
    </message>
</context>
</TS>
