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
