<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="en">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;https://example.org/qv-suite&quot;&gt;QV desktop suite developers&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;https://example.org/qv-suite&quot;&gt;Разработчики QV desktop suite&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Software version:</source>
        <translation>Версия программы:</translation>
    </message>
    <message>
        <source>&lt;p&gt;Remote control software for&lt;/p&gt;&lt;p&gt;Ethernet tester ZORT-QVB.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Программа дистанционного управления&lt;/p&gt;&lt;p&gt;Ethernet-тестером ZORT-QVB.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>&lt;p&gt;Free software under the GNU General Public License, version 3 or (at your option) any later version (GPL-3.0-or-later). It comes with no warranty.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Свободная программа под лицензией GNU General Public License версии 3 или (по вашему выбору) любой более поздней версии (GPL-3.0-or-later). Предоставляется без каких-либо гарантий.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>BertForm</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>BERT (Port A)</source>
        <translation>BERT (порт A)</translation>
    </message>
    <message>
        <source>Test settings</source>
        <translation>Параметры теста</translation>
    </message>
    <message>
        <source>Pattern type</source>
        <translation>Тип шаблона</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Пользовательский</translation>
    </message>
    <message>
        <source>User pattern</source>
        <translation>Шаблон пользователя</translation>
    </message>
    <message>
        <source>Frame size</source>
        <translation>Размер кадра</translation>
    </message>
    <message>
        <source>Rate units</source>
        <translation>Единицы скорости</translation>
    </message>
    <message>
        <source>%</source>
        <translation type="obsolete">%</translation>
    </message>
    <message>
        <source>bps</source>
        <translation>бит/с</translation>
    </message>
    <message>
        <source>kbps</source>
        <translation>кбит/с</translation>
    </message>
    <message>
        <source>Mbps</source>
        <translation>Мбит/с</translation>
    </message>
    <message>
        <source>Rate</source>
        <translation>Скорость</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Длительность</translation>
    </message>
    <message>
        <source>Measuring</source>
        <translation>Измерение</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>Elapsed time</source>
        <translation>Прошло времени</translation>
    </message>
    <message>
        <source>Estimate time</source>
        <translation>Осталось времени</translation>
    </message>
    <message>
        <source>Rx bits</source>
        <translation>Принято бит</translation>
    </message>
    <message>
        <source>Rx ebits</source>
        <translation>Ошибочных бит</translation>
    </message>
    <message>
        <source>BER</source>
        <translation>BER</translation>
    </message>
    <message>
        <source>LSS</source>
        <translation>LSS</translation>
    </message>
    <message>
        <source>LOS</source>
        <translation>LOS</translation>
    </message>
    <message>
        <source>LSS, %</source>
        <translation>LSS, %</translation>
    </message>
    <message>
        <source>LOS, %</source>
        <translation>LOS, %</translation>
    </message>
    <message>
        <source>Start A-&gt;A</source>
        <translation>Старт A-&gt;A</translation>
    </message>
    <message>
        <source>Start A-&gt;B</source>
        <translation>Старт A-&gt;B</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Стоп</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Сбросить</translation>
    </message>
    <message>
        <source>BERT (Port B)</source>
        <translation>BERT (порт B)</translation>
    </message>
    <message>
        <source>Time, s</source>
        <translation>Время, с</translation>
    </message>
    <message>
        <source>Error bits</source>
        <translation>Ошибочные биты</translation>
    </message>
    <message>
        <source>Bits</source>
        <translation>Биты</translation>
    </message>
</context>
<context>
    <name>CableForm</name>
    <message>
        <source>Cable test (Port A)</source>
        <translation>Тест кабеля (порт A)</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Состояние</translation>
    </message>
    <message>
        <source>Length, m</source>
        <translation>Длина, м</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Канал</translation>
    </message>
    <message>
        <source>Polarity</source>
        <translation>Полярность</translation>
    </message>
    <message>
        <source>Latency, ns</source>
        <translation>Задержка, нс</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Старт</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Стоп</translation>
    </message>
    <message>
        <source>good</source>
        <translation>норма</translation>
    </message>
    <message>
        <source>short</source>
        <translation>замыкание</translation>
    </message>
    <message>
        <source>open</source>
        <translation>обрыв</translation>
    </message>
    <message>
        <source>fault</source>
        <translation>неисправность</translation>
    </message>
    <message>
        <source>immi</source>
        <translation>несогл. импеданса</translation>
    </message>
    <message>
        <source>Cable test (Port B)</source>
        <translation>Тест кабеля (порт B)</translation>
    </message>
</context>
<context>
    <name>ChartPane</name>
    <message>
        <source>Save as PNG…</source>
        <translation>Сохранить как PNG…</translation>
    </message>
    <message>
        <source>Save data as CSV…</source>
        <translation>Сохранить данные в CSV…</translation>
    </message>
    <message>
        <source>PNG images (*.png)</source>
        <translation>Изображения PNG (*.png)</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Файлы CSV (*.csv)</translation>
    </message>
</context>
<context>
    <name>Cli</name>
    <message>
        <source>The port: A (default) or B; RC for the interface settings.</source>
        <translation>Порт: A (по умолчанию) или B; RC для настроек интерфейса.</translation>
    </message>
    <message>
        <source>Name the test: %1</source>
        <translation>Укажите тест: %1</translation>
    </message>
    <message>
        <source>Unexpected argument: %1</source>
        <translation>Лишний аргумент: %1</translation>
    </message>
    <message>
        <source>%1 is not a test; the tests are: %2</source>
        <translation>%1 не тест; тесты: %2</translation>
    </message>
    <message>
        <source>--port takes A or B (RC for the interface settings): %1</source>
        <translation>--port принимает A или B (RC для настроек интерфейса): %1</translation>
    </message>
    <message>
        <source>--%1 takes seconds above 0: %2</source>
        <translation>--%1 принимает число секунд больше 0: %2</translation>
    </message>
    <message>
        <source>--set takes KEY=VALUE: %1</source>
        <translation>--set принимает КЛЮЧ=ЗНАЧЕНИЕ: %1</translation>
    </message>
    <message>
        <source>--set: &quot;%1&quot; is not a key path like header.udpSource or streams[2].rate</source>
        <translation>--set: «%1» не путь к ключу вида header.udpSource или streams[2].rate</translation>
    </message>
    <message>
        <source>Model: %1, serial number %2</source>
        <translation>Модель: %1, серийный номер %2</translation>
    </message>
    <message>
        <source>Firmware: CPU %1, FPGA %2, release %3</source>
        <translation>Прошивка: CPU %1, FPGA %2, релиз %3</translation>
    </message>
    <message>
        <source>Port %1: %2, topology %3, running: %4</source>
        <translation>Порт %1: %2, топология %3, выполняется: %4</translation>
    </message>
    <message>
        <source>%1 Mbit/s %2 duplex</source>
        <translation>%1 Мбит/с, дуплекс: %2</translation>
    </message>
    <message>
        <source>no link</source>
        <translation>нет связи</translation>
    </message>
    <message>
        <source>nothing</source>
        <translation>ничего</translation>
    </message>
    <message>
        <source>not on this model</source>
        <translation>нет в этой модели</translation>
    </message>
    <message>
        <source>cross start</source>
        <translation>запуск на другой порт</translation>
    </message>
    <message>
        <source>runs until stopped</source>
        <translation>работает до остановки</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 не удаётся прочитать: %2</translation>
    </message>
    <message>
        <source>%1 is not a JSON object: %2</source>
        <translation>%1 не является объектом JSON: %2</translation>
    </message>
    <message>
        <source>Give the configuration to set: a FILE, - for standard input, or --set KEY=VALUE.</source>
        <translation>Укажите, что записать: ФАЙЛ, - для стандартного ввода или --set КЛЮЧ=ЗНАЧЕНИЕ.</translation>
    </message>
    <message>
        <source>%1 has no configuration.</source>
        <translation>У теста %1 нет настроек.</translation>
    </message>
    <message>
        <source>--to takes A or B: %1</source>
        <translation>--to принимает A или B: %1</translation>
    </message>
    <message>
        <source>--level is the loopback level, 1 to 4: %1</source>
        <translation>--level — уровень шлейфа, от 1 до 4: %1</translation>
    </message>
    <message>
        <source>%1 started on port %2 (%2-&gt;%3).</source>
        <translation>%1 запущен на порту %2 (%2-&gt;%3).</translation>
    </message>
    <message>
        <source>%1 stopped on port %2.</source>
        <translation>%1 остановлен на порту %2.</translation>
    </message>
    <message>
        <source>%1 was not running on port %2.</source>
        <translation>%1 не выполнялся на порту %2.</translation>
    </message>
    <message>
        <source>%1 no longer runs on port %2.</source>
        <translation>%1 больше не выполняется на порту %2.</translation>
    </message>
    <message>
        <source>--port takes A or B: %1</source>
        <translation>--port принимает A или B: %1</translation>
    </message>
    <message>
        <source>files takes: list | save NAME | load NAME | delete NAME | download NAME</source>
        <translation>files принимает: list | save ИМЯ | load ИМЯ | delete ИМЯ | download ИМЯ</translation>
    </message>
    <message>
        <source>--out, --report and --json are for files download.</source>
        <translation>--out, --report и --json относятся к files download.</translation>
    </message>
    <message>
        <source>--mask goes with --report and takes report bits 0x002 to 0x800: %1</source>
        <translation>--mask используется с --report и принимает биты отчётов от 0x002 до 0x800: %1</translation>
    </message>
    <message>
        <source>%1: %2 done.</source>
        <translation>%1: %2 выполнено.</translation>
    </message>
    <message>
        <source>%1 could not be written.</source>
        <translation>Не удалось записать %1.</translation>
    </message>
    <message>
        <source>%1 is not a result file.</source>
        <translation>%1 не является файлом результатов.</translation>
    </message>
    <message>
        <source>screen needs --out FILE.png</source>
        <translation>для screen нужен --out ФАЙЛ.png</translation>
    </message>
    <message>
        <source>run takes one plan file.</source>
        <translation>run принимает один файл плана.</translation>
    </message>
    <message>
        <source>Sets one key, such as header.udpSource=5000 or streams[2].rate=50.</source>
        <translation>Задаёт один ключ, например header.udpSource=5000 или streams[2].rate=50.</translation>
    </message>
    <message>
        <source>The port the test sends towards.</source>
        <translation>Порт, на который тест передаёт.</translation>
    </message>
    <message>
        <source>The loopback level, 1 to 4.</source>
        <translation>Уровень шлейфа, от 1 до 4.</translation>
    </message>
    <message>
        <source>Seconds to wait at most.</source>
        <translation>Наибольшее время ожидания в секундах.</translation>
    </message>
    <message>
        <source>Clear the counters first.</source>
        <translation>Сначала обнулить счётчики.</translation>
    </message>
    <message>
        <source>The folder for the downloaded file.</source>
        <translation>Папка для загруженного файла.</translation>
    </message>
    <message>
        <source>Also write its PDF reports.</source>
        <translation>Также записать его отчёты PDF.</translation>
    </message>
    <message>
        <source>Which reports (as QVRemote --report).</source>
        <translation>Какие отчёты (как у QVRemote --report).</translation>
    </message>
    <message>
        <source>Also write results.json.</source>
        <translation>Также записать results.json.</translation>
    </message>
    <message>
        <source>The PNG file.</source>
        <translation>Файл PNG.</translation>
    </message>
    <message>
        <source>The folder for plan-results.json and the reports.</source>
        <translation>Папка для plan-results.json и отчётов.</translation>
    </message>
    <message>
        <source>Write JUnit XML to FILE.</source>
        <translation>Записать JUnit XML в ФАЙЛ.</translation>
    </message>
    <message>
        <source>Exit codes:
  0  done; every expectation held
  1  an expectation of a plan failed
  2  usage or input error: option, file, JSON, key or range
  3  the tester is absent or silent, the link was lost, or the tester refused
  4  a wait or step ran past its time-out (a test the step started is stopped first)
</source>
        <translation>Коды завершения:
  0  выполнено; все ожидания выполнены
  1  ожидание плана не выполнено
  2  ошибка вызова или входных данных: параметр, файл, JSON, ключ или диапазон
  3  тестер отсутствует или молчит, связь потеряна, или тестер отказал
  4  ожидание или шаг превысили свой тайм-аут (запущенный шагом тест сначала останавливается)
</translation>
    </message>
    <message>
        <source>Usage: qvctl [--connect HOST[:PORT] | --serial DEVICE] [--timeout S] [--json] [--lang en|ru] COMMAND [ARGS]

Runs the tests of a ZORT-QV or ZORT-QVB tester from scripts, CI jobs and production lines.

</source>
        <translation>Использование: qvctl [--connect ХОСТ[:ПОРТ] | --serial УСТРОЙСТВО] [--timeout С] [--json] [--lang en|ru] КОМАНДА [АРГУМЕНТЫ]

Выполняет тесты тестера ZORT-QV или ZORT-QVB из сценариев, заданий CI и на производственных линиях.

</translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>Команды:</translation>
    </message>
    <message>
        <source>TEST is one of: %1</source>
        <translation>ТЕСТ — один из: %1</translation>
    </message>
    <message>
        <source>Configurations and results are JSON with the keys of results.json; &quot;qvctl COMMAND --help&quot; explains a command.

</source>
        <translation>Настройки и результаты — это JSON с ключами results.json; «qvctl КОМАНДА --help» описывает команду.

</translation>
    </message>
    <message>
        <source>The tester over Ethernet (TCP port 55555 unless given).</source>
        <translation>Тестер по Ethernet (TCP-порт 55555, если не указан другой).</translation>
    </message>
    <message>
        <source>The tester on a serial port (a name or a device path).</source>
        <translation>Тестер на последовательном порту (имя или путь к устройству).</translation>
    </message>
    <message>
        <source>Seconds each exchange with the tester may take (default 10).</source>
        <translation>Сколько секунд может длиться каждый обмен с тестером (по умолчанию 10).</translation>
    </message>
    <message>
        <source>Print one JSON document instead of text.</source>
        <translation>Выводить один документ JSON вместо текста.</translation>
    </message>
    <message>
        <source>The language of the texts: en (default) or ru.</source>
        <translation>Язык текстов: en (по умолчанию) или ru.</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>Показать эту справку.</translation>
    </message>
    <message>
        <source>Show the version.</source>
        <translation>Показать версию.</translation>
    </message>
    <message>
        <source>--lang takes en or ru: %1</source>
        <translation>--lang принимает en или ru: %1</translation>
    </message>
    <message>
        <source>--connect and --serial cannot be used together.</source>
        <translation>--connect и --serial нельзя использовать вместе.</translation>
    </message>
    <message>
        <source>--connect takes HOST[:PORT]: %1</source>
        <translation>--connect принимает ХОСТ[:ПОРТ]: %1</translation>
    </message>
    <message>
        <source>--timeout takes seconds above 0, at most 3600: %1</source>
        <translation>--timeout принимает число секунд больше 0, не более 3600: %1</translation>
    </message>
    <message>
        <source>%1 is not a command; &quot;qvctl --help&quot; lists them.</source>
        <translation>%1 не команда; их список выводит «qvctl --help».</translation>
    </message>
    <message>
        <source>Usage: qvctl [global options] %1

%2

</source>
        <translation>Использование: qvctl [общие параметры] %1

%2

</translation>
    </message>
    <message>
        <source>Keys of %1:</source>
        <translation>Ключи теста %1:</translation>
    </message>
    <message>
        <source>The plan&apos;s &quot;connect&quot; must be HOST[:PORT] or serial:DEVICE: %1</source>
        <translation>«connect» плана должен быть ХОСТ[:ПОРТ] или serial:УСТРОЙСТВО: %1</translation>
    </message>
    <message>
        <source>Say where the tester is: --connect HOST[:PORT] or --serial DEVICE.</source>
        <translation>Укажите, где тестер: --connect ХОСТ[:ПОРТ] или --serial УСТРОЙСТВО.</translation>
    </message>
</context>
<context>
    <name>DebugForm</name>
    <message>
        <source>Form</source>
        <translation>Отладочный вывод</translation>
    </message>
</context>
<context>
    <name>FTransferForm</name>
    <message>
        <source>Form</source>
        <translation>Передача файлов</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Файлы</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Обновить</translation>
    </message>
    <message>
        <source>Save Settings</source>
        <translation>Сохранить настройки</translation>
    </message>
    <message>
        <source>Load Settings</source>
        <translation>Загрузить настройки</translation>
    </message>
    <message>
        <source>Delete Settings</source>
        <translation>Удалить настройки</translation>
    </message>
    <message>
        <source>File transfer</source>
        <translation>Передача файлов</translation>
    </message>
    <message>
        <source>BERT</source>
        <translation>BERT</translation>
    </message>
    <message>
        <source>RFC2544</source>
        <translation>RFC2544</translation>
    </message>
    <message>
        <source>Trace</source>
        <translation>Трассировка</translation>
    </message>
    <message>
        <source>Jitter</source>
        <translation>Джиттер</translation>
    </message>
    <message>
        <source>Ping</source>
        <translation>Ping</translation>
    </message>
    <message>
        <source>Traffic</source>
        <translation>Трафик</translation>
    </message>
    <message>
        <source>Multistream</source>
        <translation>Многопотоковый</translation>
    </message>
    <message>
        <source>Create report</source>
        <translation>Создать отчёт</translation>
    </message>
    <message>
        <source>Screenshot</source>
        <translation>Снимок экрана</translation>
    </message>
    <message>
        <source>File name</source>
        <translation>Имя файла</translation>
    </message>
    <message>
        <source>The folder %1 does not exist.</source>
        <translation>Папка %1 не существует.</translation>
    </message>
    <message>
        <source>%1 is not a folder.</source>
        <translation>%1 — не папка.</translation>
    </message>
    <message>
        <source>The reports cannot be written into the folder %1.</source>
        <translation>В папку %1 нельзя записать отчёты.</translation>
    </message>
</context>
<context>
    <name>FileNameDialog</name>
    <message>
        <source>Type the name to save the settings under.</source>
        <translation>Введите имя, под которым сохранить настройки.</translation>
    </message>
    <message>
        <source>The name has %1 characters; the tester stores at most %2.</source>
        <translation>В имени %1 знаков, а тестер хранит не более %2.</translation>
    </message>
    <message>
        <source>The tester cannot store &quot;%1&quot; in a file name: use Latin letters, digits, blanks and signs other than / \ : * ? &quot; &lt; &gt; |.</source>
        <translation>Тестер не может хранить «%1» в имени файла: используйте латинские буквы, цифры, пробелы и знаки, кроме / \ : * ? &quot; &lt; &gt; |.</translation>
    </message>
</context>
<context>
    <name>HeaderSettings</name>
    <message>
        <source>default ( 000000 )</source>
        <translation>по умолчанию ( 000000 )</translation>
    </message>
</context>
<context>
    <name>IFaceForm</name>
    <message>
        <source>Common settings</source>
        <translation>Общие параметры</translation>
    </message>
    <message>
        <source>MAC address</source>
        <translation>MAC-адрес</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>По умолчанию</translation>
    </message>
    <message>
        <source>DHCP</source>
        <translation>DHCP</translation>
    </message>
    <message>
        <source>IP address</source>
        <translation>IP-адрес</translation>
    </message>
    <message>
        <source>Subnet mask</source>
        <translation>Маска подсети</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>Шлюз</translation>
    </message>
    <message>
        <source>Link speed</source>
        <translation>Скорость соединения</translation>
    </message>
    <message>
        <source>Duplex </source>
        <translation>Дуплекс </translation>
    </message>
    <message>
        <source>VLAN settings</source>
        <translation>Параметры VLAN</translation>
    </message>
    <message>
        <source>VLAN counts</source>
        <translation>Число меток VLAN</translation>
    </message>
    <message>
        <source>TPID</source>
        <translation>TPID</translation>
    </message>
    <message>
        <source>PCP</source>
        <translation>PCP</translation>
    </message>
    <message>
        <source>VID</source>
        <translation>VID</translation>
    </message>
    <message>
        <source>MPLS settings</source>
        <translation>Параметры MPLS</translation>
    </message>
    <message>
        <source>MPLS counts</source>
        <translation>Число меток MPLS</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Метка</translation>
    </message>
    <message>
        <source>QoS</source>
        <translation>QoS</translation>
    </message>
    <message>
        <source>TTL</source>
        <translation>TTL</translation>
    </message>
    <message>
        <source>TPID 1</source>
        <translation type="vanished">TPID 1</translation>
    </message>
    <message>
        <source>TPID 2</source>
        <translation type="vanished">TPID 2</translation>
    </message>
    <message>
        <source>TPID 3</source>
        <translation type="vanished">TPID 3</translation>
    </message>
    <message>
        <source>MPLS label 1</source>
        <translation type="vanished">Метка MPLS 1</translation>
    </message>
    <message>
        <source>MPLS label 2</source>
        <translation type="vanished">Метка MPLS 2</translation>
    </message>
    <message>
        <source>MPLS label 3</source>
        <translation type="vanished">Метка MPLS 3</translation>
    </message>
</context>
<context>
    <name>IfsetForm</name>
    <message>
        <source>Interface settings</source>
        <translation>Настройки интерфейса</translation>
    </message>
    <message>
        <source>Port A</source>
        <translation>Порт A</translation>
    </message>
    <message>
        <source>Port RC</source>
        <translation>Порт RC</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Сбросить</translation>
    </message>
</context>
<context>
    <name>InputCheck</name>
    <message>
        <source>%1 is empty.
Fill it in and try again.</source>
        <translation>Поле «%1» не заполнено.
Заполните его и повторите.</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is incomplete or invalid.
Correct it and try again.</source>
        <translation>%1: значение «%2» неполное или недопустимое.
Исправьте его и повторите.</translation>
    </message>
</context>
<context>
    <name>JitterForm</name>
    <message>
        <source>Jitter test (Port A)</source>
        <translation>Тест джиттера (порт A)</translation>
    </message>
    <message>
        <source>Test settings</source>
        <translation>Параметры теста</translation>
    </message>
    <message>
        <source>Header level 2</source>
        <translation>Заголовок уровня 2</translation>
    </message>
    <message>
        <source>Auto MAC destination</source>
        <translation>Определять MAC назначения автоматически</translation>
    </message>
    <message>
        <source>Destination MAC</source>
        <translation>MAC назначения</translation>
    </message>
    <message>
        <source>Header level 3</source>
        <translation>Заголовок уровня 3</translation>
    </message>
    <message>
        <source>IP destination</source>
        <translation>IP назначения</translation>
    </message>
    <message>
        <source>Replace ToS</source>
        <translation>Заменять ToS</translation>
    </message>
    <message>
        <source>ToS</source>
        <translation>ToS</translation>
    </message>
    <message>
        <source>Precedence</source>
        <translation>Приоритет</translation>
    </message>
    <message>
        <source>Replace DSCP</source>
        <translation>Заменять DSCP</translation>
    </message>
    <message>
        <source>Header level 4</source>
        <translation>Заголовок уровня 4</translation>
    </message>
    <message>
        <source>UDP source</source>
        <translation>UDP-порт источника</translation>
    </message>
    <message>
        <source>UDP destination</source>
        <translation>UDP-порт назначения</translation>
    </message>
    <message>
        <source>Adjustment</source>
        <translation>Настройка</translation>
    </message>
    <message>
        <source>Rate units</source>
        <translation>Единицы скорости</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>bps</source>
        <translation>бит/с</translation>
    </message>
    <message>
        <source>kbps</source>
        <translation>кбит/с</translation>
    </message>
    <message>
        <source>Mbps</source>
        <translation>Мбит/с</translation>
    </message>
    <message>
        <source>Rate</source>
        <translation>Скорость</translation>
    </message>
    <message>
        <source>Packet length, b</source>
        <translation>Длина пакета, байт</translation>
    </message>
    <message>
        <source>Duration, s</source>
        <translation>Длительность, с</translation>
    </message>
    <message>
        <source>Threshold, ms</source>
        <translation>Порог, мс</translation>
    </message>
    <message>
        <source>Measuring</source>
        <translation>Измерение</translation>
    </message>
    <message>
        <source>Test time</source>
        <translation>Время теста</translation>
    </message>
    <message>
        <source>Passed time</source>
        <translation>Прошло времени</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Результат</translation>
    </message>
    <message>
        <source>Rx Frames</source>
        <translation>Принятые кадры</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Количество</translation>
    </message>
    <message>
        <source>Distribution</source>
        <translation>Распределение</translation>
    </message>
    <message>
        <source>Jitter, ms</source>
        <translation>Джиттер, мс</translation>
    </message>
    <message>
        <source>Start A-&gt;A</source>
        <translation>Старт A-&gt;A</translation>
    </message>
    <message>
        <source>Start A-&gt;B</source>
        <translation>Старт A-&gt;B</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Стоп</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Сбросить</translation>
    </message>
    <message>
        <source>Jitter test (Port B)</source>
        <translation>Тест джиттера (порт B)</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Все</translation>
    </message>
    <message>
        <source>In order</source>
        <translation>По порядку</translation>
    </message>
    <message>
        <source>Not in order</source>
        <translation>Не по порядку</translation>
    </message>
    <message>
        <source>Jitter distribution</source>
        <translation>Распределение джиттера</translation>
    </message>
    <message>
        <source>Frames</source>
        <translation>Кадры</translation>
    </message>
</context>
<context>
    <name>LbForm</name>
    <message>
        <source>Loopback (Port A)</source>
        <translation>Шлейф (порт A)</translation>
    </message>
    <message>
        <source>Loopback level</source>
        <translation>Уровень шлейфа</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Выкл.</translation>
    </message>
    <message>
        <source>Level 1</source>
        <translation>Уровень 1</translation>
    </message>
    <message>
        <source>Level 2</source>
        <translation>Уровень 2</translation>
    </message>
    <message>
        <source>Level 3</source>
        <translation>Уровень 3</translation>
    </message>
    <message>
        <source>Level 4</source>
        <translation>Уровень 4</translation>
    </message>
    <message>
        <source>Level 2 settings</source>
        <translation>Параметры уровня 2</translation>
    </message>
    <message>
        <source>Replace MAC</source>
        <translation>Заменять MAC</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Источник</translation>
    </message>
    <message>
        <source>Destination</source>
        <translation>Назначение</translation>
    </message>
    <message>
        <source>Replace VLAN ID</source>
        <translation>Заменять VLAN ID</translation>
    </message>
    <message>
        <source>Replace priority</source>
        <translation>Заменять приоритет</translation>
    </message>
    <message>
        <source>Level 3 settings</source>
        <translation>Параметры уровня 3</translation>
    </message>
    <message>
        <source>Replace IP</source>
        <translation>Заменять IP</translation>
    </message>
    <message>
        <source>Replace ToS</source>
        <translation>Заменять ToS</translation>
    </message>
    <message>
        <source>ToS</source>
        <translation>ToS</translation>
    </message>
    <message>
        <source>Precedence</source>
        <translation>Приоритет</translation>
    </message>
    <message>
        <source>Replace DSCP</source>
        <translation>Заменять DSCP</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Сбросить</translation>
    </message>
    <message>
        <source>Loopback (Port B)</source>
        <translation>Шлейф (порт B)</translation>
    </message>
    <message>
        <source>MAC source</source>
        <translation type="vanished">MAC источника</translation>
    </message>
    <message>
        <source>MAC destination</source>
        <translation type="vanished">MAC назначения</translation>
    </message>
    <message>
        <source>IP source</source>
        <translation type="vanished">IP источника</translation>
    </message>
    <message>
        <source>IP destination</source>
        <translation type="vanished">IP назначения</translation>
    </message>
</context>
<context>
    <name>LiveCharts</name>
    <message>
        <source>Charts</source>
        <translation>Графики</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Тест</translation>
    </message>
    <message>
        <source>The charts of this test while it runs</source>
        <translation>Графики этого теста во время его работы</translation>
    </message>
</context>
<context>
    <name>MainForm</name>
    <message>
        <source>ZORT-QVB Remote Control</source>
        <translation>Дистанционное управление ZORT-QVB</translation>
    </message>
    <message>
        <source>Serial Connection</source>
        <translation>Последовательный порт</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Порт</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Подключить</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Отключить</translation>
    </message>
    <message>
        <source>Ethernet Connection</source>
        <translation>Подключение по Ethernet</translation>
    </message>
    <message>
        <source>Port A</source>
        <translation>Порт A</translation>
    </message>
    <message>
        <source>Port B</source>
        <translation>Порт B</translation>
    </message>
    <message>
        <source>Debug</source>
        <translation>Отладка</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Прочитать</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Записать</translation>
    </message>
    <message>
        <source>Process</source>
        <translation>Процесс</translation>
    </message>
    <message>
        <source>Process A</source>
        <translation>Процесс A</translation>
    </message>
    <message>
        <source>Process B</source>
        <translation>Процесс B</translation>
    </message>
    <message>
        <source>Tests</source>
        <translation>Тесты</translation>
    </message>
    <message>
        <source>bps</source>
        <translation>бит/с</translation>
    </message>
    <message>
        <source>Kbps</source>
        <translation>кбит/с</translation>
    </message>
    <message>
        <source>Mbps</source>
        <translation>Мбит/с</translation>
    </message>
    <message>
        <source>This page is not available yet</source>
        <translation type="vanished">Эта страница пока недоступна</translation>
    </message>
    <message>
        <source>Compiled for %1 release version %2</source>
        <translation>Программа собрана для %1 с версией ПО %2</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Устройство</translation>
    </message>
    <message>
        <source>Serial</source>
        <translation>Серийный номер</translation>
    </message>
    <message>
        <source>Release</source>
        <translation>Версия ПО</translation>
    </message>
    <message>
        <source>RFC-2544</source>
        <translation>RFC-2544</translation>
    </message>
    <message>
        <source>Multistream</source>
        <translation>Многопотоковый</translation>
    </message>
    <message>
        <source>Cable test</source>
        <translation>Тест кабеля</translation>
    </message>
    <message>
        <source>Loopback</source>
        <translation>Шлейф</translation>
    </message>
    <message>
        <source>TCP/IP</source>
        <translation>TCP/IP</translation>
    </message>
    <message>
        <source>Traffic test</source>
        <translation>Тест трафика</translation>
    </message>
    <message>
        <source>Jitter test</source>
        <translation>Тест джиттера</translation>
    </message>
    <message>
        <source>BERT</source>
        <translation>BERT</translation>
    </message>
    <message>
        <source>OAM</source>
        <translation>OAM</translation>
    </message>
    <message>
        <source>Transit</source>
        <translation>Транзит</translation>
    </message>
    <message>
        <source>Interface settings</source>
        <translation>Настройки интерфейса</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Статистика</translation>
    </message>
    <message>
        <source>File transfer</source>
        <translation>Передача файлов</translation>
    </message>
    <message>
        <source>Choose a test on the left.</source>
        <translation>Выберите тест в списке слева.</translation>
    </message>
    <message>
        <source>Connect to the tester over a serial port or Ethernet.</source>
        <translation>Подключитесь к тестеру через последовательный порт или по Ethernet.</translation>
    </message>
    <message>
        <source>Type or choose the serial port of the tester.</source>
        <translation>Введите или выберите последовательный порт тестера.</translation>
    </message>
    <message>
        <source>%1: there is no such serial port.</source>
        <translation>%1: такого последовательного порта нет.</translation>
    </message>
    <message>
        <source>%1 is busy or you may not use it: close the program that uses it, or ask for access to it.</source>
        <translation>Порт %1 занят или недоступен вам: закройте программу, которая его использует, или запросите доступ к нему.</translation>
    </message>
    <message>
        <source>%1 cannot be opened as a serial port (%2).</source>
        <translation>%1 не удаётся открыть как последовательный порт (%2).</translation>
    </message>
    <message>
        <source>%1: you may not use this serial port. Serial ports belong to the %2 group: add yourself to it (sudo adduser $USER %2) and log in again.</source>
        <translation>%1: у вас нет прав на этот последовательный порт. Последовательные порты доступны группе %2: добавьте себя в неё (sudo adduser $USER %2) и войдите в систему заново.</translation>
    </message>
</context>
<context>
    <name>MainMenu</name>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>About Qt</source>
        <translation>О Qt</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Шрифт</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>About</source>
        <comment>menu title</comment>
        <translation>Справка</translation>
    </message>
    <message>
        <source>Record sessions</source>
        <translation>Записывать сеансы</translation>
    </message>
    <message>
        <source>Open recordings folder</source>
        <translation>Открыть папку записей</translation>
    </message>
    <message>
        <source>Save support file…</source>
        <translation>Сохранить файл для поддержки…</translation>
    </message>
    <message>
        <source>Save support file</source>
        <translation>Сохранить файл для поддержки</translation>
    </message>
    <message>
        <source>Zip archives (*.zip)</source>
        <translation>Архивы zip (*.zip)</translation>
    </message>
    <message>
        <source>%1 was not written: %2</source>
        <translation>%1 не записан: %2</translation>
    </message>
</context>
<context>
    <name>MultiForm</name>
    <message>
        <source>Multistream test (Port A)</source>
        <translation>Многопотоковый тест (порт A)</translation>
    </message>
    <message>
        <source>Test settings</source>
        <translation>Параметры теста</translation>
    </message>
    <message>
        <source>Stream #</source>
        <translation>Поток №</translation>
    </message>
    <message>
        <source>Auto MAC destination</source>
        <translation>Определять MAC назначения автоматически</translation>
    </message>
    <message>
        <source>MAC destination</source>
        <translation>MAC назначения</translation>
    </message>
    <message>
        <source>Header level 3</source>
        <translation>Заголовок уровня 3</translation>
    </message>
    <message>
        <source>IP destination</source>
        <translation>IP назначения</translation>
    </message>
    <message>
        <source>Replace ToS</source>
        <translation>Заменять ToS</translation>
    </message>
    <message>
        <source>ToS</source>
        <translation>ToS</translation>
    </message>
    <message>
        <source>Precedence</source>
        <translation>Приоритет</translation>
    </message>
    <message>
        <source>Replace DSCP</source>
        <translation>Заменять DSCP</translation>
    </message>
    <message>
        <source>Header level 4</source>
        <translation>Заголовок уровня 4</translation>
    </message>
    <message>
        <source>UDP source</source>
        <translation>UDP-порт источника</translation>
    </message>
    <message>
        <source>UDP destination</source>
        <translation>UDP-порт назначения</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Дополнительно</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Активен</translation>
    </message>
    <message>
        <source>Loading type</source>
        <translation>Тип нагрузки</translation>
    </message>
    <message>
        <source>Constant</source>
        <translation>Постоянная</translation>
    </message>
    <message>
        <source>Rate units</source>
        <translation>Единицы скорости</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>bps</source>
        <translation>бит/с</translation>
    </message>
    <message>
        <source>kbps</source>
        <translation>кбит/с</translation>
    </message>
    <message>
        <source>Mbps</source>
        <translation>Мбит/с</translation>
    </message>
    <message>
        <source>Rate</source>
        <translation>Скорость</translation>
    </message>
    <message>
        <source>Packet length, b</source>
        <translation>Длина пакета, байт</translation>
    </message>
    <message>
        <source>Duration, s</source>
        <translation>Длительность, с</translation>
    </message>
    <message>
        <source>Measuring</source>
        <translation>Измерение</translation>
    </message>
    <message>
        <source>Elapsed time</source>
        <translation>Прошло времени</translation>
    </message>
    <message>
        <source>Estimate time</source>
        <translation>Осталось времени</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Нагрузка</translation>
    </message>
    <message>
        <source>Tx frames</source>
        <translation>Передано кадров</translation>
    </message>
    <message>
        <source>Rx frames</source>
        <translation>Принято кадров</translation>
    </message>
    <message>
        <source>Tx bytes</source>
        <translation>Передано байт</translation>
    </message>
    <message>
        <source>Loss frames</source>
        <translation>Потеряно кадров</translation>
    </message>
    <message>
        <source>Latency</source>
        <translation>Задержка</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Количество</translation>
    </message>
    <message>
        <source>Coef</source>
        <translation>Коэффициент</translation>
    </message>
    <message>
        <source>Start A-&gt;A</source>
        <translation>Старт A-&gt;A</translation>
    </message>
    <message>
        <source>Start A-&gt;B</source>
        <translation>Старт A-&gt;B</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Стоп</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Сбросить</translation>
    </message>
    <message>
        <source>Multistream test (Port B)</source>
        <translation>Многопотоковый тест (порт B)</translation>
    </message>
    <message>
        <source>Stream %1</source>
        <translation>Поток %1</translation>
    </message>
    <message>
        <source>Time, s</source>
        <translation>Время, с</translation>
    </message>
    <message>
        <source>Rx rate</source>
        <translation>Скорость приёма</translation>
    </message>
    <message>
        <source>Rate, frames/s</source>
        <translation type="vanished">Скорость, кадр/с</translation>
    </message>
    <message>
        <source>Lost frames</source>
        <translation>Потерянные кадры</translation>
    </message>
    <message>
        <source>Frames</source>
        <translation>Кадры</translation>
    </message>
    <message>
        <source>frames/s</source>
        <translation>кадр/с</translation>
    </message>
</context>
<context>
    <name>OamForm</name>
    <message>
        <source>OAM (Port A)</source>
        <translation>OAM (порт A)</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>OAM mode</source>
        <translation>Режим OAM</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Активный</translation>
    </message>
    <message>
        <source>Passive</source>
        <translation>Пассивный</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Выключен</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Результат</translation>
    </message>
    <message>
        <source>MAC-address</source>
        <translation>MAC-адрес</translation>
    </message>
    <message>
        <source>Vendor</source>
        <translation>Производитель</translation>
    </message>
    <message>
        <source>Remote LB</source>
        <translation>Удалённый шлейф</translation>
    </message>
    <message>
        <source>Unidirectional</source>
        <translation>Однонаправленный режим</translation>
    </message>
    <message>
        <source>Linkev</source>
        <translation>События канала</translation>
    </message>
    <message>
        <source>Start Loopback</source>
        <translation>Включить шлейф</translation>
    </message>
    <message>
        <source>Stop Loopback</source>
        <translation>Выключить шлейф</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Сбросить</translation>
    </message>
    <message>
        <source>Supported</source>
        <translation>Поддерживается</translation>
    </message>
    <message>
        <source>Unsupported</source>
        <translation>Не поддерживается</translation>
    </message>
    <message>
        <source>OAM (Port B)</source>
        <translation>OAM (порт B)</translation>
    </message>
</context>
<context>
    <name>OldProto</name>
    <message>
        <source>Could not connect to the tester.</source>
        <translation>Не удалось подключиться к тестеру.</translation>
    </message>
    <message>
        <source>The tester stopped answering. The connection is closed.</source>
        <translation>Тестер перестал отвечать. Соединение закрыто.</translation>
    </message>
    <message>
        <source>The connection to the tester was lost.</source>
        <translation>Соединение с тестером потеряно.</translation>
    </message>
</context>
<context>
    <name>PDFCreator</name>
    <message>
        <source>Ethernet testing report</source>
        <translation>Отчёт о тестировании Ethernet</translation>
    </message>
    <message>
        <source>Common settings</source>
        <translation>Общие настройки</translation>
    </message>
    <message>
        <source>Manufactured by</source>
        <translation>Изготовитель</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Устройство</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Серийный номер</translation>
    </message>
    <message>
        <source>Date &amp; time</source>
        <translation>Дата и время</translation>
    </message>
    <message>
        <source>(Port A)</source>
        <translation>(Порт A)</translation>
    </message>
    <message>
        <source>(Port B)</source>
        <translation>(Порт B)</translation>
    </message>
    <message>
        <source>Interface settings</source>
        <translation>Настройки интерфейса</translation>
    </message>
    <message>
        <source>Link speed</source>
        <translation>Скорость соединения</translation>
    </message>
    <message>
        <source>No Sync</source>
        <translation>Нет синхр.</translation>
    </message>
    <message>
        <source>MAC</source>
        <translation>MAC</translation>
    </message>
    <message>
        <source>DHCP</source>
        <translation>DHCP</translation>
    </message>
    <message>
        <source>IP address</source>
        <translation>IP-адрес</translation>
    </message>
    <message>
        <source>Subnet mask</source>
        <translation>Маска подсети</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>Шлюз</translation>
    </message>
    <message>
        <source>VLAN counts</source>
        <translation>Число VLAN</translation>
    </message>
    <message>
        <source>TPID</source>
        <translation>TPID</translation>
    </message>
    <message>
        <source>PCP</source>
        <translation>PCP</translation>
    </message>
    <message>
        <source>VID</source>
        <translation>VID</translation>
    </message>
    <message>
        <source>MPLS counts</source>
        <translation>Число MPLS</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
    <message>
        <source>QoS</source>
        <translation>QoS</translation>
    </message>
    <message>
        <source>TTL</source>
        <translation>TTL</translation>
    </message>
    <message>
        <source>Header level 2</source>
        <translation>Заголовок уровня 2</translation>
    </message>
    <message>
        <source>Auto MAC destination</source>
        <translation>Авто MAC получателя</translation>
    </message>
    <message>
        <source>MAC destination</source>
        <translation>MAC получателя</translation>
    </message>
    <message>
        <source>Header level 3</source>
        <translation>Заголовок уровня 3</translation>
    </message>
    <message>
        <source>IP destination</source>
        <translation>IP получателя</translation>
    </message>
    <message>
        <source>ToS/Precedence</source>
        <translation>ToS/приоритет</translation>
    </message>
    <message>
        <source>Tos</source>
        <translation>ToS</translation>
    </message>
    <message>
        <source>Precedence</source>
        <translation>Приоритет</translation>
    </message>
    <message>
        <source>DSCP</source>
        <translation>DSCP</translation>
    </message>
    <message>
        <source>Header level 4</source>
        <translation>Заголовок уровня 4</translation>
    </message>
    <message>
        <source>UDP source</source>
        <translation>UDP отправителя</translation>
    </message>
    <message>
        <source>UDP destination</source>
        <translation>UDP получателя</translation>
    </message>
    <message>
        <source>settings</source>
        <translation>настройки</translation>
    </message>
    <message>
        <source>results</source>
        <translation>результаты</translation>
    </message>
    <message>
        <source>statistics</source>
        <translation>статистика</translation>
    </message>
    <message>
        <source>latency</source>
        <translation>задержка</translation>
    </message>
    <message>
        <source>distribution</source>
        <translation>распределение</translation>
    </message>
    <message>
        <source>header</source>
        <translation>заголовок</translation>
    </message>
    <message>
        <source>BERT</source>
        <translation>BERT</translation>
    </message>
    <message>
        <source>Traffic test</source>
        <translation>Тест трафика</translation>
    </message>
    <message>
        <source>Ping</source>
        <translation>Ping</translation>
    </message>
    <message>
        <source>Trace</source>
        <translation>Трассировка</translation>
    </message>
    <message>
        <source>Jitter</source>
        <translation>Джиттер</translation>
    </message>
    <message>
        <source>Multistream</source>
        <translation>Многопоточный тест</translation>
    </message>
    <message>
        <source>Multistream test</source>
        <translation>Многопоточный тест</translation>
    </message>
    <message>
        <source>RFC-2544</source>
        <translation>RFC-2544</translation>
    </message>
    <message>
        <source>Pattern type</source>
        <translation>Тип шаблона</translation>
    </message>
    <message>
        <source>User pattern</source>
        <translation>Шаблон пользователя</translation>
    </message>
    <message>
        <source>Frame size</source>
        <translation>Размер кадра</translation>
    </message>
    <message>
        <source>Units</source>
        <translation>Единицы</translation>
    </message>
    <message>
        <source>Rate</source>
        <translation>Скорость</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Длительность</translation>
    </message>
    <message>
        <source>Elapsed time</source>
        <translation>Прошло времени</translation>
    </message>
    <message>
        <source>Estimate time</source>
        <translation>Осталось времени</translation>
    </message>
    <message>
        <source>Rx bits</source>
        <translation>Принято бит</translation>
    </message>
    <message>
        <source>Rx ebits</source>
        <translation>Принято ошибочных бит</translation>
    </message>
    <message>
        <source>BER</source>
        <translation>BER</translation>
    </message>
    <message>
        <source>LSS</source>
        <translation>LSS</translation>
    </message>
    <message>
        <source>LOS</source>
        <translation>LOS</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Дополнительно</translation>
    </message>
    <message>
        <source>Loading type</source>
        <translation>Тип нагрузки</translation>
    </message>
    <message>
        <source>Constant</source>
        <translation>Постоянная</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Количество</translation>
    </message>
    <message>
        <source>Coef</source>
        <translation>Коэф.</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Нагрузка</translation>
    </message>
    <message>
        <source>Tx frames</source>
        <translation>Передано кадров</translation>
    </message>
    <message>
        <source>Rx frames</source>
        <translation>Принято кадров</translation>
    </message>
    <message>
        <source>Tx bytes</source>
        <translation>Передано байт</translation>
    </message>
    <message>
        <source>Loss frames</source>
        <translation>Потеряно кадров</translation>
    </message>
    <message>
        <source>runt</source>
        <translation>runt</translation>
    </message>
    <message>
        <source>jabber</source>
        <translation>jabber</translation>
    </message>
    <message>
        <source>CRC</source>
        <translation>CRC</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Пауза</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Состояние</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Кадр</translation>
    </message>
    <message>
        <source>Lat</source>
        <translation>Задержка</translation>
    </message>
    <message>
        <source>Sent</source>
        <translation>Отправлено</translation>
    </message>
    <message>
        <source>Recieved</source>
        <translation>Получено</translation>
    </message>
    <message>
        <source>Lost</source>
        <translation>Потеряно</translation>
    </message>
    <message>
        <source>Average</source>
        <translation>Средняя</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Минимальная</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Максимальная</translation>
    </message>
    <message>
        <source>IP</source>
        <translation>IP</translation>
    </message>
    <message>
        <source>Latency</source>
        <translation>Задержка</translation>
    </message>
    <message>
        <source>timeout</source>
        <translation>тайм-аут</translation>
    </message>
    <message>
        <source>Threshold</source>
        <translation>Порог</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Все</translation>
    </message>
    <message>
        <source>In order</source>
        <translation>По порядку</translation>
    </message>
    <message>
        <source>Not in order</source>
        <translation>Не по порядку</translation>
    </message>
    <message>
        <source>Stream #</source>
        <translation>Поток №</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Активен</translation>
    </message>
    <message>
        <source>Throughput</source>
        <translation>Пропускная способность</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Включено</translation>
    </message>
    <message>
        <source>Starting load</source>
        <translation>Начальная нагрузка</translation>
    </message>
    <message>
        <source>Ending load</source>
        <translation>Конечная нагрузка</translation>
    </message>
    <message>
        <source>Thr</source>
        <translation>Проп. сп.</translation>
    </message>
    <message>
        <source>Iteration</source>
        <translation>Повторы</translation>
    </message>
    <message>
        <source>Interval</source>
        <translation>Интервал</translation>
    </message>
    <message>
        <source>User loading</source>
        <translation>Нагрузка пользователя</translation>
    </message>
    <message>
        <source>Back to back</source>
        <translation>Предельная нагрузка</translation>
    </message>
    <message>
        <source>Min interval</source>
        <translation>Мин. интервал</translation>
    </message>
    <message>
        <source>Max interval</source>
        <translation>Макс. интервал</translation>
    </message>
    <message>
        <source>Min T</source>
        <translation>Мин. T</translation>
    </message>
    <message>
        <source>Average T</source>
        <translation>Средн. T</translation>
    </message>
    <message>
        <source>Max T</source>
        <translation>Макс. T</translation>
    </message>
    <message>
        <source>Frameloss</source>
        <translation>Потери кадров</translation>
    </message>
    <message>
        <source>Loading step</source>
        <translation>Шаг нагрузки</translation>
    </message>
    <message>
        <source>frame</source>
        <translation>кадры</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>мс</translation>
    </message>
    <message>
        <source>s</source>
        <translation>с</translation>
    </message>
    <message>
        <source>ns</source>
        <translation>нс</translation>
    </message>
    <message>
        <source>b</source>
        <translation>б</translation>
    </message>
    <message>
        <source>Result PDFs created.</source>
        <translation>PDF-отчёты созданы.</translation>
    </message>
    <message>
        <source>No report was selected: no PDF was written.</source>
        <translation>Не выбран ни один отчёт: PDF-файлы не созданы.</translation>
    </message>
    <message>
        <source>The result file is too short (%1 of %2 bytes): no PDF was written.</source>
        <translation>Файл результатов слишком короткий (%1 из %2 байт): PDF-файлы не созданы.</translation>
    </message>
    <message>
        <source>The folder %1 could not be created: no PDF was written.</source>
        <translation>Не удалось создать папку %1: PDF-файлы не созданы.</translation>
    </message>
    <message>
        <source>%1 could not be written: %2 of %3 PDFs were written.</source>
        <translation>Не удалось записать %1: создано PDF-файлов: %2 из %3.</translation>
    </message>
    <message>
        <source>The reports were stopped: %1 of %2 PDFs were written.</source>
        <translation>Создание отчётов остановлено: создано PDF-файлов: %1 из %2.</translation>
    </message>
</context>
<context>
    <name>PassForm</name>
    <message>
        <source>Transit</source>
        <translation>Транзит</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Старт</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Стоп</translation>
    </message>
</context>
<context>
    <name>PingValues</name>
    <message>
        <source>Request</source>
        <translation type="vanished">Запрос</translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="vanished">OK</translation>
    </message>
    <message>
        <source>Timeout</source>
        <translation type="vanished">Таймаут</translation>
    </message>
    <message>
        <source>Interrupted</source>
        <translation type="vanished">Прервано</translation>
    </message>
    <message>
        <source>Passed</source>
        <translation type="vanished">Успешно</translation>
    </message>
    <message>
        <source>In progress</source>
        <translation type="vanished">Выполняется</translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="vanished">Ошибка</translation>
    </message>
</context>
<context>
    <name>Plan</name>
    <message>
        <source>%1: &quot;%2&quot; is not a key of a plan here</source>
        <translation>%1: «%2» здесь не является ключом плана</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; must be a number of seconds above 0</source>
        <translation>%1: «%2» должно быть числом секунд больше 0</translation>
    </message>
    <message>
        <source>step %1</source>
        <translation>шаг %1</translation>
    </message>
    <message>
        <source>%1 is not an object</source>
        <translation>%1 не является объектом</translation>
    </message>
    <message>
        <source>%1: &quot;test&quot; must be one of %2</source>
        <translation>%1: «test» должен быть одним из: %2</translation>
    </message>
    <message>
        <source>%1: &quot;port&quot; and &quot;to&quot; must be A or B</source>
        <translation>%1: «port» и «to» должны быть A или B</translation>
    </message>
    <message>
        <source>%1: &quot;level&quot; is a loopback level from 1 to 4</source>
        <translation>%1: «level» — уровень шлейфа от 1 до 4</translation>
    </message>
    <message>
        <source>%1: &quot;config&quot; must be an object</source>
        <translation>%1: «config» должен быть объектом</translation>
    </message>
    <message>
        <source>%1: config: %2</source>
        <translation>%1: config: %2</translation>
    </message>
    <message>
        <source>%1: %2 runs until it is stopped: give it a &quot;duration&quot;</source>
        <translation>%1: %2 работает до остановки: задайте «duration»</translation>
    </message>
    <message>
        <source>%1: expect: &quot;%2&quot; is not a path like rows[*].throughput.load</source>
        <translation>%1: expect: «%2» не путь вида rows[*].throughput.load</translation>
    </message>
    <message>
        <source>%1: expect: &quot;%2&quot; needs min, max or equals</source>
        <translation>%1: expect: для «%2» нужны min, max или equals</translation>
    </message>
    <message>
        <source>%1: expect: &quot;%2&quot;: %3 must be a number</source>
        <translation>%1: expect: «%2»: %3 должно быть числом</translation>
    </message>
    <message>
        <source>%1: &quot;report&quot; and &quot;stopOnFail&quot; are true or false</source>
        <translation>%1: «report» и «stopOnFail» принимают true или false</translation>
    </message>
    <message>
        <source>The plan is not JSON: %1 at byte %2</source>
        <translation>План не является JSON: %1 в байте %2</translation>
    </message>
    <message>
        <source>The plan must be a JSON object with &quot;steps&quot;</source>
        <translation>План должен быть объектом JSON с «steps»</translation>
    </message>
    <message>
        <source>the plan</source>
        <translation>план</translation>
    </message>
    <message>
        <source>The plan has no &quot;steps&quot;</source>
        <translation>В плане нет «steps»</translation>
    </message>
    <message>
        <source>%1: the results have no such value</source>
        <translation>%1: в результатах нет такого значения</translation>
    </message>
    <message>
        <source>%1 is %2, not a number</source>
        <translation>%1 равно %2, а не числу</translation>
    </message>
    <message>
        <source>%1 is %2, below the minimum %3</source>
        <translation>%1 равно %2, меньше минимума %3</translation>
    </message>
    <message>
        <source>%1 is %2, above the maximum %3</source>
        <translation>%1 равно %2, больше максимума %3</translation>
    </message>
    <message>
        <source>%1 is %2, not %3</source>
        <translation>%1 равно %2, а не %3</translation>
    </message>
    <message>
        <source>%1 still ran after %2 s and was stopped.</source>
        <translation>%1 всё ещё выполнялся через %2 с и был остановлен.</translation>
    </message>
    <message>
        <source>The tester stored no result file for this step.</source>
        <translation>Тестер не сохранил файл результатов этого шага.</translation>
    </message>
    <message>
        <source>A step with &quot;report&quot; needs --out DIR.</source>
        <translation>Шагу с «report» нужен --out ПАПКА.</translation>
    </message>
    <message>
        <source>%1 could not be written.</source>
        <translation>Не удалось записать %1.</translation>
    </message>
</context>
<context>
    <name>ProcessForm</name>
    <message>
        <source>Start B-&gt;B</source>
        <translation>Старт B-&gt;B</translation>
    </message>
    <message>
        <source>Start A-&gt;A</source>
        <translation>Старт A-&gt;A</translation>
    </message>
    <message>
        <source>Start B-&gt;A</source>
        <translation>Старт B-&gt;A</translation>
    </message>
    <message>
        <source>Start A-&gt;B</source>
        <translation>Старт A-&gt;B</translation>
    </message>
</context>
<context>
    <name>ReportCommand</name>
    <message>
        <source>The result file to report on.</source>
        <translation>Файл результатов для отчётов.</translation>
    </message>
    <message>
        <source>The folder for the PDF files.</source>
        <translation>Папка для PDF-файлов.</translation>
    </message>
    <message>
        <source>Which reports (decimal or 0x...; all seven by default).</source>
        <translation>Какие отчёты (десятичное число или 0x...; по умолчанию все семь).</translation>
    </message>
    <message>
        <source>The serial number in the header.</source>
        <translation>Серийный номер в заголовке.</translation>
    </message>
    <message>
        <source>The link-speed codes of ports A and B.</source>
        <translation>Коды скорости соединения портов A и B.</translation>
    </message>
    <message>
        <source>A one-port (ZORT-QVB) report.</source>
        <translation>Отчёт для однопортовой модели (ZORT-QVB).</translation>
    </message>
    <message>
        <source>The language of the reports: en or ru.</source>
        <translation>Язык отчётов: en или ru.</translation>
    </message>
    <message>
        <source>Also write every decoded value to results.json.</source>
        <translation>Также записать все значения в results.json.</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>Показать эту справку.</translation>
    </message>
    <message>
        <source>Unexpected argument: %1</source>
        <translation>Лишний аргумент: %1</translation>
    </message>
    <message>
        <source>--report and --out are both needed.</source>
        <translation>Нужны оба параметра --report и --out.</translation>
    </message>
    <message>
        <source>--mask takes a number: %1</source>
        <translation>--mask принимает число: %1</translation>
    </message>
    <message>
        <source>--serial-number takes a number from 0 to 65535: %1</source>
        <translation>--serial-number принимает число от 0 до 65535: %1</translation>
    </message>
    <message>
        <source>--speeds takes two codes: A,B</source>
        <translation type="vanished">--speeds принимает два кода: A,B</translation>
    </message>
    <message>
        <source>--lang takes en or ru: %1</source>
        <translation>--lang принимает en или ru: %1</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>Не удаётся прочитать %1: %2</translation>
    </message>
    <message>
        <source>%1 is not a result file: %2 bytes, %3 expected.</source>
        <translation>%1 не является файлом результатов: %2 байт, ожидается %3.</translation>
    </message>
    <message>
        <source>%1 could not be written.</source>
        <translation>Не удалось записать %1.</translation>
    </message>
    <message>
        <source>--mask %1 has bits of no report; the reports are 0x002, 0x010, 0x020, 0x040, 0x080, 0x100 and 0x800.</source>
        <translation>В --mask %1 есть биты, которым не соответствует ни один отчёт; отчёты: 0x002, 0x010, 0x020, 0x040, 0x080, 0x100 и 0x800.</translation>
    </message>
    <message>
        <source>--speeds takes two codes from 0 to 3: A,B</source>
        <translation>--speeds принимает два кода от 0 до 3: A,B</translation>
    </message>
    <message>
        <source>%1 is a folder, not a result file.</source>
        <translation>%1 — папка, а не файл результатов.</translation>
    </message>
    <message>
        <source>Usage: QVRemote --report RESULTFILE --out DIR [--mask M] [--serial-number N] [--speeds A,B] [--qvb] [--lang en|ru] [--json] [--csv]</source>
        <translation>Использование: QVRemote --report RESULTFILE --out DIR [--mask M] [--serial-number N] [--speeds A,B] [--qvb] [--lang en|ru] [--json] [--csv]</translation>
    </message>
    <message>
        <source>Also write a CSV file beside each PDF.</source>
        <translation>Также записать файл CSV рядом с каждым PDF.</translation>
    </message>
</context>
<context>
    <name>ResultValues</name>
    <message>
        <source>Wait</source>
        <translation>Ожидание</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>Выполняется</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Остановлен</translation>
    </message>
    <message>
        <source>No Sync</source>
        <translation>Нет синхр.</translation>
    </message>
    <message>
        <source>No Tx</source>
        <translation>Нет Tx</translation>
    </message>
    <message>
        <source>No Rx</source>
        <translation>Нет Rx</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Выкл.</translation>
    </message>
    <message>
        <source>RxTx</source>
        <translation>RxTx</translation>
    </message>
    <message>
        <source>bps</source>
        <translation>бит/с</translation>
    </message>
    <message>
        <source>kbps</source>
        <translation>кбит/с</translation>
    </message>
    <message>
        <source>Mbps</source>
        <translation>Мбит/с</translation>
    </message>
    <message>
        <source>Request</source>
        <translation>Запрос</translation>
    </message>
    <message>
        <source>Timeout</source>
        <translation>Тайм-аут</translation>
    </message>
    <message>
        <source>Interrupted</source>
        <translation>Прервано</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Пользовательский</translation>
    </message>
    <message>
        <source>Passed</source>
        <translation>Успешно</translation>
    </message>
    <message>
        <source>In progress</source>
        <translation>Выполняется</translation>
    </message>
    <message>
        <source>timeout</source>
        <translation>тайм-аут</translation>
    </message>
</context>
<context>
    <name>RfcForm</name>
    <message>
        <source>RFC-2544 test (Port A)</source>
        <translation>Тест RFC-2544 (порт A)</translation>
    </message>
    <message>
        <source>Frame settings</source>
        <translation>Параметры кадра</translation>
    </message>
    <message>
        <source>Header settings</source>
        <translation>Параметры заголовка</translation>
    </message>
    <message>
        <source>Auto MAC destination</source>
        <translation>Определять MAC назначения автоматически</translation>
    </message>
    <message>
        <source>MAC destination</source>
        <translation>MAC назначения</translation>
    </message>
    <message>
        <source>Header level 3</source>
        <translation>Заголовок уровня 3</translation>
    </message>
    <message>
        <source>IP destination</source>
        <translation>IP назначения</translation>
    </message>
    <message>
        <source>Replace ToS</source>
        <translation>Заменять ToS</translation>
    </message>
    <message>
        <source>ToS</source>
        <translation>ToS</translation>
    </message>
    <message>
        <source>Precedence</source>
        <translation>Приоритет</translation>
    </message>
    <message>
        <source>Replace DSCP</source>
        <translation>Заменять DSCP</translation>
    </message>
    <message>
        <source>Header level 4</source>
        <translation>Заголовок уровня 4</translation>
    </message>
    <message>
        <source>UDP source</source>
        <translation>UDP-порт источника</translation>
    </message>
    <message>
        <source>UDP destination</source>
        <translation>UDP-порт назначения</translation>
    </message>
    <message>
        <source>Frame size, b</source>
        <translation>Размер кадра, б</translation>
    </message>
    <message>
        <source>Test settings</source>
        <translation>Параметры теста</translation>
    </message>
    <message>
        <source>Throughput</source>
        <translation>Пропускная способность</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Включено</translation>
    </message>
    <message>
        <source>Starting load</source>
        <translation>Начальная нагрузка</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>Ending load</source>
        <translation>Конечная нагрузка</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Длительность пробы</translation>
    </message>
    <message>
        <source>Latency</source>
        <translation>Задержка</translation>
    </message>
    <message>
        <source>Iterations</source>
        <translation>Число повторов</translation>
    </message>
    <message>
        <source>Interval</source>
        <translation>Интервал</translation>
    </message>
    <message>
        <source>User loading</source>
        <translation>Нагрузка пользователя</translation>
    </message>
    <message>
        <source>Frameloss</source>
        <translation>Потери кадров</translation>
    </message>
    <message>
        <source>Loading step</source>
        <translation>Шаг нагрузки</translation>
    </message>
    <message>
        <source>Back to back</source>
        <translation>Пакетная передача</translation>
    </message>
    <message>
        <source>Iteration</source>
        <translation>Число повторов</translation>
    </message>
    <message>
        <source>Min interval</source>
        <translation>Мин. интервал</translation>
    </message>
    <message>
        <source>s</source>
        <translation>с</translation>
    </message>
    <message>
        <source>Max interval</source>
        <translation>Макс. интервал</translation>
    </message>
    <message>
        <source>Measuring</source>
        <translation>Измерение</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Статус</translation>
    </message>
    <message>
        <source>Frame length, b</source>
        <translation>Длина кадра, б</translation>
    </message>
    <message>
        <source>Load, %</source>
        <translation>Нагрузка, %</translation>
    </message>
    <message>
        <source>Throughput, bps</source>
        <translation>Пропускная способность, бит/с</translation>
    </message>
    <message>
        <source>Frame loss, %</source>
        <translation>Потери кадров, %</translation>
    </message>
    <message>
        <source>Rate: </source>
        <translation>Нагрузка: </translation>
    </message>
    <message>
        <source>Latency, ns</source>
        <translation>Задержка, нс</translation>
    </message>
    <message>
        <source>back to back</source>
        <translation>Пакетная передача</translation>
    </message>
    <message>
        <source>Min T, s</source>
        <translation>Мин. T, с</translation>
    </message>
    <message>
        <source>Max T, s</source>
        <translation>Макс. T, с</translation>
    </message>
    <message>
        <source>Charts</source>
        <translation>Графики</translation>
    </message>
    <message>
        <source>Start A-&gt;A</source>
        <translation>Старт A-&gt;A</translation>
    </message>
    <message>
        <source>Start A-&gt;B</source>
        <translation>Старт A-&gt;B</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Стоп</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>По умолчанию</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Сбросить</translation>
    </message>
    <message>
        <source>RFC-2544 test (Port B)</source>
        <translation>Тест RFC-2544 (порт B)</translation>
    </message>
    <message>
        <source>Throughput, %</source>
        <translation>Пропускная способность, %</translation>
    </message>
    <message>
        <source>Min T/Average T/Max T, s</source>
        <translation>Мин. T/Средн. T/Макс. T, с</translation>
    </message>
    <message>
        <source>Frame loss at %1 % load, %</source>
        <translation>Потери кадров при нагрузке %1 %, %</translation>
    </message>
    <message>
        <source>Frame size, bytes</source>
        <translation>Размер кадра, байт</translation>
    </message>
    <message>
        <source>ns</source>
        <translation>нс</translation>
    </message>
    <message>
        <source>Min T</source>
        <translation>Мин. T</translation>
    </message>
    <message>
        <source>Average T</source>
        <translation>Средн. T</translation>
    </message>
    <message>
        <source>Max T</source>
        <translation>Макс. T</translation>
    </message>
    <message>
        <source>Frame loss</source>
        <translation>Потеря кадров</translation>
    </message>
</context>
<context>
    <name>Session</name>
    <message>
        <source>%1: there is no such serial port.</source>
        <translation>%1: такого последовательного порта нет.</translation>
    </message>
    <message>
        <source>%1 cannot be opened as a serial port (%2).</source>
        <translation>%1 не открывается как последовательный порт (%2).</translation>
    </message>
    <message>
        <source>Could not connect to the tester.</source>
        <translation>Не удалось подключиться к тестеру.</translation>
    </message>
    <message>
        <source>The tester did not answer in time.</source>
        <translation>Тестер не ответил вовремя.</translation>
    </message>
</context>
<context>
    <name>StatsForm</name>
    <message>
        <source>Statistics</source>
        <translation>Статистика</translation>
    </message>
    <message>
        <source>Commons</source>
        <translation>Общие</translation>
    </message>
    <message>
        <source>Frames (Port A)</source>
        <translation>Кадры (порт A)</translation>
    </message>
    <message>
        <source>Bytes (Port A)</source>
        <translation>Байты (порт A)</translation>
    </message>
    <message>
        <source>Frames (Port B)</source>
        <translation>Кадры (порт B)</translation>
    </message>
    <message>
        <source>Bytes (Port B)</source>
        <translation>Байты (порт B)</translation>
    </message>
    <message>
        <source>Rx</source>
        <translation>Приём</translation>
    </message>
    <message>
        <source>Tx</source>
        <translation>Передача</translation>
    </message>
    <message>
        <source>Frame type</source>
        <translation>Типы кадров</translation>
    </message>
    <message>
        <source>Broadcast (Port A)</source>
        <translation>Широковещательные (порт A)</translation>
    </message>
    <message>
        <source>Multicast (Port A)</source>
        <translation>Групповые (порт A)</translation>
    </message>
    <message>
        <source>Unicast (Port A)</source>
        <translation>Индивидуальные (порт A)</translation>
    </message>
    <message>
        <source>Pause (Port A)</source>
        <translation>Пауза (порт A)</translation>
    </message>
    <message>
        <source>Broadcast (Port B)</source>
        <translation>Широковещательные (порт B)</translation>
    </message>
    <message>
        <source>Multicast (Port B)</source>
        <translation>Групповые (порт B)</translation>
    </message>
    <message>
        <source>Unicast (Port B)</source>
        <translation>Индивидуальные (порт B)</translation>
    </message>
    <message>
        <source>Pause (Port B)</source>
        <translation>Пауза (порт B)</translation>
    </message>
    <message>
        <source>Levels</source>
        <translation>Уровни</translation>
    </message>
    <message>
        <source>L2 (Port A)</source>
        <translation>L2 (порт A)</translation>
    </message>
    <message>
        <source>L3 (Port A)</source>
        <translation>L3 (порт A)</translation>
    </message>
    <message>
        <source>L2 (Port B)</source>
        <translation>L2 (порт B)</translation>
    </message>
    <message>
        <source>L3 (Port B)</source>
        <translation>L3 (порт B)</translation>
    </message>
    <message>
        <source>Frame size</source>
        <translation>Размеры кадров</translation>
    </message>
    <message>
        <source>Port A</source>
        <translation>Порт A</translation>
    </message>
    <message>
        <source>Port B</source>
        <translation>Порт B</translation>
    </message>
    <message>
        <source>Rx frame errors</source>
        <translation>Ошибки приёма</translation>
    </message>
    <message>
        <source>CRC</source>
        <translation>Ошибки CRC</translation>
    </message>
    <message>
        <source>Runt</source>
        <translation>Короткие (runt)</translation>
    </message>
    <message>
        <source>Jabber</source>
        <translation>Длинные (jabber)</translation>
    </message>
    <message>
        <source>Auto reset statistics</source>
        <translation>Сбрасывать статистику автоматически</translation>
    </message>
    <message>
        <source>Reset Statistics</source>
        <translation>Сбросить статистику</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Сбросить</translation>
    </message>
    <message>
        <source>Time, s</source>
        <translation>Время, с</translation>
    </message>
    <message>
        <source>Rate, bps</source>
        <translation type="vanished">Скорость, бит/с</translation>
    </message>
    <message>
        <source>bps</source>
        <translation>бит/с</translation>
    </message>
    <message>
        <source>Rx, port A</source>
        <translation>Приём, порт A</translation>
    </message>
    <message>
        <source>Tx, port A</source>
        <translation>Передача, порт A</translation>
    </message>
    <message>
        <source>Rx, port B</source>
        <translation>Приём, порт B</translation>
    </message>
    <message>
        <source>Tx, port B</source>
        <translation>Передача, порт B</translation>
    </message>
</context>
<context>
    <name>TCPIPForm</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Ping</source>
        <translation>Ping</translation>
    </message>
    <message>
        <source>Ping test (Port A)</source>
        <translation>Тест Ping (порт A)</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>IP destination</source>
        <translation>IP назначения</translation>
    </message>
    <message>
        <source>Frame size, b</source>
        <translation>Размер кадра, б</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Пауза</translation>
    </message>
    <message>
        <source> ms</source>
        <translation> мс</translation>
    </message>
    <message>
        <source>Measuring</source>
        <translation>Измерение</translation>
    </message>
    <message>
        <source>Ping result</source>
        <translation>Результат Ping</translation>
    </message>
    <message>
        <source>#</source>
        <translation>№</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Статус</translation>
    </message>
    <message>
        <source>Frame, b</source>
        <translation>Кадр, б</translation>
    </message>
    <message>
        <source>Latency, ms</source>
        <translation>Задержка, мс</translation>
    </message>
    <message>
        <source>Ping statistics</source>
        <translation>Статистика Ping</translation>
    </message>
    <message>
        <source>Sent</source>
        <translation>Отправлено</translation>
    </message>
    <message>
        <source>Received</source>
        <translation>Получено</translation>
    </message>
    <message>
        <source>Lost</source>
        <translation>Потеряно</translation>
    </message>
    <message>
        <source>Latency</source>
        <translation>Задержка</translation>
    </message>
    <message>
        <source>Average</source>
        <translation>Средняя</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Минимальная</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Максимальная</translation>
    </message>
    <message>
        <source>Trace</source>
        <translation>Трассировка</translation>
    </message>
    <message>
        <source>Trace test (Port A)</source>
        <translation>Трассировка (порт A)</translation>
    </message>
    <message>
        <source>Trace results</source>
        <translation>Результаты трассировки</translation>
    </message>
    <message>
        <source>IP</source>
        <translation>IP</translation>
    </message>
    <message>
        <source>page #</source>
        <translation>стр. №</translation>
    </message>
    <message>
        <source>DNS</source>
        <translation>DNS</translation>
    </message>
    <message>
        <source>DNS test (Port A)</source>
        <translation>Тест DNS (порт A)</translation>
    </message>
    <message>
        <source>Host name</source>
        <translation>Имя хоста</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Результаты</translation>
    </message>
    <message>
        <source>IP address</source>
        <translation>IP-адрес</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Старт</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Стоп</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Сбросить</translation>
    </message>
    <message>
        <source>Trace test (Port B)</source>
        <translation>Трассировка (порт B)</translation>
    </message>
    <message>
        <source>DNS test (Port B)</source>
        <translation>Тест DNS (порт B)</translation>
    </message>
    <message>
        <source>Ping test (Port B)</source>
        <translation>Тест Ping (порт B)</translation>
    </message>
    <message>
        <source>Latency per reply</source>
        <translation>Задержка по ответам</translation>
    </message>
    <message>
        <source>Reply</source>
        <translation>Ответ</translation>
    </message>
</context>
<context>
    <name>TableMenu</name>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Save as CSV…</source>
        <translation>Сохранить как CSV…</translation>
    </message>
    <message>
        <source>Save as CSV</source>
        <translation>Сохранить как CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Файлы CSV (*.csv)</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>Не удалось записать %1: %2</translation>
    </message>
</context>
<context>
    <name>Tester</name>
    <message>
        <source>The connection to the tester was lost.</source>
        <translation>Связь с тестером потеряна.</translation>
    </message>
    <message>
        <source>The tester did not finish answering in time.</source>
        <translation>Тестер не закончил отвечать вовремя.</translation>
    </message>
    <message>
        <source>The ZORT-QVB has port A only.</source>
        <translation>У ZORT-QVB есть только порт A.</translation>
    </message>
    <message>
        <source>Port RC has interface settings only.</source>
        <translation>У порта RC есть только настройки интерфейса.</translation>
    </message>
    <message>
        <source>%1 needs the two ports of the ZORT-QV.</source>
        <translation>Для %1 нужны оба порта ZORT-QV.</translation>
    </message>
    <message>
        <source>%1 has no configuration.</source>
        <translation>У теста %1 нет настроек.</translation>
    </message>
    <message>
        <source>The tester kept a configuration other than the one written (is %1 running?).</source>
        <translation>Тестер сохранил другие настройки, а не записанные (выполняется ли %1?).</translation>
    </message>
    <message>
        <source>%1 has no results.</source>
        <translation>У теста %1 нет результатов.</translation>
    </message>
    <message>
        <source>%1 is not started: it has no run.</source>
        <translation>%1 не запускается: у него нет выполнения.</translation>
    </message>
    <message>
        <source>%1 runs on its own port only.</source>
        <translation>%1 выполняется только на своём порту.</translation>
    </message>
    <message>
        <source>The tester did not answer in time.</source>
        <translation>Тестер не ответил вовремя.</translation>
    </message>
    <message>
        <source>%1 already runs on port %2.</source>
        <translation>%1 уже выполняется на порту %2.</translation>
    </message>
    <message>
        <source>The tester did not start %1 on port %2 (is another test running there?).</source>
        <translation>Тестер не запустил %1 на порту %2 (не выполняется ли там другой тест?).</translation>
    </message>
    <message>
        <source>%1 still runs on port %2.</source>
        <translation>%1 всё ещё выполняется на порту %2.</translation>
    </message>
    <message>
        <source>%1 runs until it is stopped: there is nothing to wait for.</source>
        <translation>%1 работает до остановки: ждать нечего.</translation>
    </message>
    <message>
        <source>%1 still runs on port %2 after %3 s.</source>
        <translation>%1 всё ещё выполняется на порту %2 через %3 с.</translation>
    </message>
    <message>
        <source>The tester sent no file list.</source>
        <translation>Тестер не прислал список файлов.</translation>
    </message>
    <message>
        <source>The tester refused: %1.</source>
        <translation>Тестер отказал: %1.</translation>
    </message>
    <message>
        <source>The download of %1 did not end in time.</source>
        <translation>Загрузка %1 не закончилась вовремя.</translation>
    </message>
    <message>
        <source>The screen image could not be written to %1.</source>
        <translation>Не удалось записать изображение экрана в %1.</translation>
    </message>
    <message>
        <source>The reports were not written in time.</source>
        <translation>Отчёты не были записаны вовремя.</translation>
    </message>
</context>
<context>
    <name>TrafficForm</name>
    <message>
        <source>Traffic test (Port A)</source>
        <translation>Тест трафика (порт A)</translation>
    </message>
    <message>
        <source>Test settings</source>
        <translation>Параметры теста</translation>
    </message>
    <message>
        <source>Auto MAC destination</source>
        <translation>Определять MAC назначения автоматически</translation>
    </message>
    <message>
        <source>MAC destination</source>
        <translation>MAC назначения</translation>
    </message>
    <message>
        <source>Header level 3</source>
        <translation>Заголовок уровня 3</translation>
    </message>
    <message>
        <source>IP destination</source>
        <translation>IP назначения</translation>
    </message>
    <message>
        <source>Replace ToS</source>
        <translation>Заменять ToS</translation>
    </message>
    <message>
        <source>ToS</source>
        <translation>ToS</translation>
    </message>
    <message>
        <source>Precedence</source>
        <translation>Приоритет</translation>
    </message>
    <message>
        <source>Replace DSCP</source>
        <translation>Заменять DSCP</translation>
    </message>
    <message>
        <source>Header level 4</source>
        <translation>Заголовок уровня 4</translation>
    </message>
    <message>
        <source>UDP source</source>
        <translation>UDP-порт источника</translation>
    </message>
    <message>
        <source>UDP destination</source>
        <translation>UDP-порт назначения</translation>
    </message>
    <message>
        <source>Loading type</source>
        <translation>Тип нагрузки</translation>
    </message>
    <message>
        <source>Constant</source>
        <translation>Постоянная</translation>
    </message>
    <message>
        <source>Rate units</source>
        <translation>Единицы скорости</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>bps</source>
        <translation>бит/с</translation>
    </message>
    <message>
        <source>kbps</source>
        <translation>кбит/с</translation>
    </message>
    <message>
        <source>Mbps</source>
        <translation>Мбит/с</translation>
    </message>
    <message>
        <source>Rate</source>
        <translation>Скорость</translation>
    </message>
    <message>
        <source>packet length, b</source>
        <translation>Длина пакета, байт</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Длительность</translation>
    </message>
    <message>
        <source>Measuring</source>
        <translation>Измерение</translation>
    </message>
    <message>
        <source>Elapsed time</source>
        <translation>Прошло времени</translation>
    </message>
    <message>
        <source>Estimate time</source>
        <translation>Осталось времени</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Нагрузка</translation>
    </message>
    <message>
        <source>Tx frames</source>
        <translation>Передано кадров</translation>
    </message>
    <message>
        <source>Rx frames</source>
        <translation>Принято кадров</translation>
    </message>
    <message>
        <source>Tx bytes</source>
        <translation>Передано байт</translation>
    </message>
    <message>
        <source>Loss frames</source>
        <translation>Потеряно кадров</translation>
    </message>
    <message>
        <source>Runt</source>
        <translation>Короткие (runt)</translation>
    </message>
    <message>
        <source>Jabber</source>
        <translation>Длинные (jabber)</translation>
    </message>
    <message>
        <source>CRC</source>
        <translation>Ошибки CRC</translation>
    </message>
    <message>
        <source>Err frames</source>
        <translation>Ошибочные кадры</translation>
    </message>
    <message>
        <source>Pause frames</source>
        <translation>Кадры паузы</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Количество</translation>
    </message>
    <message>
        <source>Coef</source>
        <translation>Коэффициент</translation>
    </message>
    <message>
        <source>Start A-&gt;A</source>
        <translation>Старт A-&gt;A</translation>
    </message>
    <message>
        <source>Start A-&gt;B</source>
        <translation>Старт A-&gt;B</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Стоп</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Сбросить</translation>
    </message>
    <message>
        <source>Traffic test (Port B)</source>
        <translation>Тест трафика (порт B)</translation>
    </message>
    <message>
        <source>Time, s</source>
        <translation>Время, с</translation>
    </message>
    <message>
        <source>Rate, frames/s</source>
        <translation type="vanished">Скорость, кадр/с</translation>
    </message>
    <message>
        <source>Tx</source>
        <translation>Передача</translation>
    </message>
    <message>
        <source>Rx</source>
        <translation>Приём</translation>
    </message>
    <message>
        <source>Lost frames</source>
        <translation>Потерянные кадры</translation>
    </message>
    <message>
        <source>Frames</source>
        <translation>Кадры</translation>
    </message>
    <message>
        <source>Lost</source>
        <translation>Потеряно</translation>
    </message>
    <message>
        <source>frames/s</source>
        <translation>кадр/с</translation>
    </message>
</context>
<context>
    <name>Zorqv</name>
    <message>
        <source>Result PDFs created.</source>
        <translation type="vanished">PDF-отчёты созданы.</translation>
    </message>
    <message>
        <source>The tester did not send the file %1.</source>
        <translation>Тестер не передал файл %1.</translation>
    </message>
    <message>
        <source>The file %1 is not a result file.</source>
        <translation>Файл %1 не является файлом результатов.</translation>
    </message>
    <message>
        <source>The download of %1 stopped: the connection was lost.</source>
        <translation>Загрузка файла %1 прервана: соединение потеряно.</translation>
    </message>
    <message>
        <source>No report folder can be made for %1 in the chosen folder.</source>
        <translation>В выбранной папке нельзя создать папку отчётов для %1.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Remote control of the ZORT-QV and ZORT-QVB Ethernet testers.</source>
        <translation>Дистанционное управление Ethernet-тестерами ZORT-QV и ZORT-QVB.</translation>
    </message>
    <message>
        <source>Show the debug registers and the tester&apos;s debug window.</source>
        <translation>Показать отладочные регистры и окно отладочного вывода тестера.</translation>
    </message>
    <message>
        <source>Connect over Ethernet to the tester at &lt;address&gt; (IPv4).</source>
        <translation>Подключиться по Ethernet к тестеру с адресом &lt;адрес&gt; (IPv4).</translation>
    </message>
    <message>
        <source>address</source>
        <translation>адрес</translation>
    </message>
    <message>
        <source>Connect to the tester on the serial port &lt;port&gt; (a name or a device path).</source>
        <translation>Подключиться к тестеру через последовательный порт &lt;порт&gt; (имя или путь к устройству).</translation>
    </message>
    <message>
        <source>port</source>
        <translation>порт</translation>
    </message>
    <message>
        <source>--connect and --serial cannot be used together.</source>
        <translation>Параметры --connect и --serial нельзя указывать вместе.</translation>
    </message>
    <message>
        <source>%1 is not an IPv4 address.</source>
        <translation>%1 — не адрес IPv4.</translation>
    </message>
    <message>
        <source>Write the PDF reports of &lt;resultfile&gt; without a window (--report --help shows its options).</source>
        <translation>Создать PDF-отчёты по файлу &lt;resultfile&gt; без окна (параметры: --report --help).</translation>
    </message>
    <message>
        <source>resultfile</source>
        <translation>файл_результатов</translation>
    </message>
    <message>
        <source>Unexpected argument: %1</source>
        <translation>Лишний аргумент: %1</translation>
    </message>
    <message>
        <source>Do not record the sessions with the tester.</source>
        <translation>Не записывать сеансы связи с прибором.</translation>
    </message>
</context>
<context>
    <name>qvctl</name>
    <message>
        <source>The model, firmware versions, serial number, each port&apos;s link and what runs.</source>
        <translation>Модель, версии прошивки, серийный номер, связь каждого порта и что выполняется.</translation>
    </message>
    <message>
        <source>The tests, which the connected model offers, and their ports.</source>
        <translation>Тесты, какие из них есть в подключённой модели, и их порты.</translation>
    </message>
    <message>
        <source>The test&apos;s configuration, as the tester holds it.</source>
        <translation>Настройки теста в том виде, в каком их хранит тестер.</translation>
    </message>
    <message>
        <source>Merges the JSON of FILE (- reads standard input) and every KEY=VALUE onto the tester&apos;s configuration, writes it and prints what the tester then holds. Unknown keys and values out of range are refused.</source>
        <translation>Накладывает JSON из ФАЙЛА (- читает стандартный ввод) и каждое КЛЮЧ=ЗНАЧЕНИЕ на настройки тестера, записывает их и выводит, что тестер хранит после этого. Неизвестные ключи и значения вне диапазона отклоняются.</translation>
    </message>
    <message>
        <source>Starts the test on the port; --to sends towards the other port where the test can, --level is the loopback level (1 to 4).</source>
        <translation>Запускает тест на порту; --to передаёт на другой порт, где тест это умеет, --level — уровень шлейфа (от 1 до 4).</translation>
    </message>
    <message>
        <source>Stops the test on the port.</source>
        <translation>Останавливает тест на порту.</translation>
    </message>
    <message>
        <source>Waits until the tester reports the test no longer running (by default at most its configured duration and two minutes, or an hour).</source>
        <translation>Ждёт, пока тестер не сообщит, что тест больше не выполняется (по умолчанию не дольше заданной длительности и двух минут, или часа).</translation>
    </message>
    <message>
        <source>The test&apos;s current results.</source>
        <translation>Текущие результаты теста.</translation>
    </message>
    <message>
        <source>One JSON line of results per second until the test stops; Ctrl-C ends it.</source>
        <translation>Одна строка JSON с результатами в секунду, пока тест не остановится; Ctrl-C прерывает.</translation>
    </message>
    <message>
        <source>The port statistics; --reset clears them first.</source>
        <translation>Статистика портов; --reset сначала обнуляет её.</translation>
    </message>
    <message>
        <source>The settings and result files on the tester. download writes the result file into DIR, with --report its PDF reports, with --json results.json.</source>
        <translation>Файлы настроек и результатов на тестере. download записывает файл результатов в ПАПКУ, с --report — его отчёты PDF, с --json — results.json.</translation>
    </message>
    <message>
        <source>The tester&apos;s screen as a PNG picture.</source>
        <translation>Экран тестера в виде изображения PNG.</translation>
    </message>
    <message>
        <source>Runs a test plan (JSON): configures, starts, waits for and checks each step. Events go to standard output as JSON lines; --out writes plan-results.json (and the reports), --junit a JUnit XML file.</source>
        <translation>Выполняет план тестирования (JSON): настраивает, запускает, ожидает и проверяет каждый шаг. События выводятся на стандартный вывод строками JSON; --out записывает plan-results.json (и отчёты), --junit — файл JUnit XML.</translation>
    </message>
</context>
</TS>
