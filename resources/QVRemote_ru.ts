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
    <name>DebugForm</name>
    <message>
        <source>Form</source>
        <translation>Отладочный вывод</translation>
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
        <translation>Эта страница пока недоступна</translation>
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
</context>
<context>
    <name>Zorqv</name>
    <message>
        <source>Result PDFs created.</source>
        <translation>PDF-отчёты созданы.</translation>
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
</context>
</TS>
