<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>AlarmAnnouncer</name>
    <message>
        <source>Speak alarms</source>
        <translation>Anunciar alarmas por voz</translation>
    </message>
    <message>
        <source>Read each alarm aloud as it trips and clears</source>
        <translation>Leer en voz alta cada alarma al dispararse y al terminar</translation>
    </message>
    <message>
        <source>No speech engine is installed; the package %1 provides one</source>
        <translation>No hay ningún motor de voz instalado; el paquete %1 proporciona uno</translation>
    </message>
    <message>
        <source>Notify alarms</source>
        <translation>Notificar alarmas</translation>
    </message>
    <message>
        <source>Show each alarm as a desktop notification while this window is not the active one</source>
        <translation>Mostrar cada alarma como notificación del escritorio mientras esta ventana no sea la activa</translation>
    </message>
    <message>
        <source>Silence alarms</source>
        <translation>Silenciar alarmas</translation>
    </message>
    <message>
        <source>Stop what is being read, and keep quiet until another alarm trips</source>
        <translation>Detener lo que se está leyendo y callar hasta que se dispare otra alarma</translation>
    </message>
</context>
<context>
    <name>AlarmNotifier</name>
    <message>
        <source>no desktop notifications: %1</source>
        <translation>sin notificaciones del escritorio: %1</translation>
    </message>
</context>
<context>
    <name>AlarmRow</name>
    <message>
        <source>Ch1 alarm</source>
        <extracomment>The caption of an alarm row watching channel 1 (volt 1)</extracomment>
        <translation>Alarma C1</translation>
    </message>
    <message>
        <source>Ch2 alarm</source>
        <extracomment>The caption of an alarm row watching channel 2 (volt 2)</extracomment>
        <translation>Alarma C2</translation>
    </message>
    <message>
        <source>Set</source>
        <extracomment>The button that sends the row&apos;s alarm setting to the module</extracomment>
        <translation>Fijar</translation>
    </message>
    <message>
        <source>when</source>
        <extracomment>Between the Set button and the comparison: alarm when [less | greater] than [value]</extracomment>
        <translation>cuando</translation>
    </message>
    <message>
        <source>less</source>
        <extracomment>The comparison: the alarm sounds when the value is less than the threshold</extracomment>
        <translation>menor</translation>
    </message>
    <message>
        <source>great</source>
        <extracomment>The comparison &quot;greater&quot;: the alarm sounds when the value is greater than the threshold</extracomment>
        <translation>mayor</translation>
    </message>
    <message>
        <source>than</source>
        <extracomment>After the comparison: [less | greater] than [value]</extracomment>
        <translation>que</translation>
    </message>
    <message>
        <source>Alarm %1, channel %2</source>
        <translation>Alarma %1, canal %2</translation>
    </message>
    <message>
        <source>Alarm %1 level</source>
        <translation>Nivel de la alarma %1</translation>
    </message>
    <message>
        <source>Alarm level, 0 to 3</source>
        <translation>Nivel de alarma, de 0 a 3</translation>
    </message>
    <message>
        <source>Set alarm %1</source>
        <translation>Fijar la alarma %1</translation>
    </message>
    <message>
        <source>Send this alarm&apos;s settings to the module</source>
        <translation>Enviar los ajustes de esta alarma al módulo</translation>
    </message>
    <message>
        <source>Alarm %1 comparison</source>
        <translation>Comparación de la alarma %1</translation>
    </message>
    <message>
        <source>Whether the alarm sounds below or above the threshold value</source>
        <translation>Si la alarma suena por debajo o por encima del umbral</translation>
    </message>
    <message>
        <source>Alarm %1 threshold value</source>
        <translation>Umbral de la alarma %1</translation>
    </message>
    <message>
        <source>Threshold value, 1 to 254</source>
        <translation>Umbral, de 1 a 254</translation>
    </message>
    <message>
        <source>%1 means %2</source>
        <translation>%1 equivale a %2</translation>
    </message>
    <message>
        <source>Alarm %1 clear</source>
        <translation>Fin de la alarma %1</translation>
    </message>
    <message>
        <source>Alarm %1: %2 above %3</source>
        <translation>Alarma %1: %2 por encima de %3</translation>
    </message>
    <message>
        <source>Alarm %1: %2 below %3</source>
        <translation>Alarma %1: %2 por debajo de %3</translation>
    </message>
    <message>
        <source>Alarm condition holds: %1 is above %2</source>
        <translation>Se cumple la condición de alarma: %1 está por encima de %2</translation>
    </message>
    <message>
        <source>Alarm condition holds: %1 is below %2</source>
        <translation>Se cumple la condición de alarma: %1 está por debajo de %2</translation>
    </message>
</context>
<context>
    <name>BrokerAddress</name>
    <message>
        <source>a base topic is needed, as in mqtt://broker/field/1</source>
        <translation>hace falta un tema base, como en mqtt://broker/field/1</translation>
    </message>
    <message>
        <source>the base topic cannot hold the wildcards + or #</source>
        <translation>el tema base no puede llevar los comodines + ni #</translation>
    </message>
    <message>
        <source>a base topic starting with $ is the broker&apos;s own</source>
        <translation>un tema base que empieza por $ es del propio bróker</translation>
    </message>
    <message>
        <source>the base topic has an empty level (two slashes, or one at an end)</source>
        <translation>el tema base tiene un nivel vacío (dos barras, o una al final)</translation>
    </message>
    <message>
        <source>the base topic is not a usable topic name</source>
        <translation>el tema base no es un nombre de tema utilizable</translation>
    </message>
    <message>
        <source>an address is written mqtt://HOST[:PORT]/BASE or mqtts://HOST[:PORT]/BASE</source>
        <translation>una dirección se escribe mqtt://HOST[:PORT]/BASE o mqtts://HOST[:PORT]/BASE</translation>
    </message>
    <message>
        <source>a broker is written mqtt://HOST[:PORT] or mqtts://HOST[:PORT]</source>
        <translation>un bróker se escribe mqtt://HOST[:PORT] o mqtts://HOST[:PORT]</translation>
    </message>
    <message>
        <source>the broker&apos;s host is missing</source>
        <translation>falta el host del bróker</translation>
    </message>
    <message>
        <source>put the user name and password in the settings, not in the address</source>
        <translation>ponga el usuario y la contraseña en la configuración, no en la dirección</translation>
    </message>
    <message>
        <source>the port must be from 1 to 65535</source>
        <translation>el puerto debe estar entre 1 y 65535</translation>
    </message>
</context>
<context>
    <name>ChannelScale</name>
    <message>
        <source>Volt 1</source>
        <translation>Voltaje 1</translation>
    </message>
    <message>
        <source>Volt 2</source>
        <translation>Voltaje 2</translation>
    </message>
    <message>
        <source>Link quality</source>
        <translation>Calidad del enlace</translation>
    </message>
    <message>
        <source>volt 1</source>
        <translation>voltaje 1</translation>
    </message>
    <message>
        <source>volt 2</source>
        <translation>voltaje 2</translation>
    </message>
    <message>
        <source>link quality</source>
        <translation>calidad del enlace</translation>
    </message>
    <message>
        <source>volts</source>
        <translation>voltios</translation>
    </message>
    <message>
        <source>millivolts</source>
        <translation>milivoltios</translation>
    </message>
    <message>
        <source>amps</source>
        <translation>amperios</translation>
    </message>
    <message>
        <source>milliamps</source>
        <translation>miliamperios</translation>
    </message>
    <message>
        <source>amp hours</source>
        <translation>amperios hora</translation>
    </message>
    <message>
        <source>milliamp hours</source>
        <translation>miliamperios hora</translation>
    </message>
    <message>
        <source>watts</source>
        <translation>vatios</translation>
    </message>
    <message>
        <source>percent</source>
        <translation>por ciento</translation>
    </message>
    <message>
        <source>decibels</source>
        <translation>decibelios</translation>
    </message>
    <message>
        <source>decibel milliwatts</source>
        <translation>decibelios milivatio</translation>
    </message>
    <message>
        <source>degrees Celsius</source>
        <translation>grados Celsius</translation>
    </message>
    <message>
        <source>degrees Fahrenheit</source>
        <translation>grados Fahrenheit</translation>
    </message>
    <message>
        <source>metres</source>
        <translation>metros</translation>
    </message>
    <message>
        <source>kilometres per hour</source>
        <translation>kilómetros por hora</translation>
    </message>
    <message>
        <source>metres per second</source>
        <translation>metros por segundo</translation>
    </message>
    <message>
        <source>revolutions per minute</source>
        <translation>revoluciones por minuto</translation>
    </message>
    <message>
        <source>a name is needed</source>
        <translation>hace falta un nombre</translation>
    </message>
    <message>
        <source>a unit has at most %1 characters</source>
        <translation>una unidad tiene como máximo %1 caracteres</translation>
    </message>
    <message>
        <source>a whole number from 0 to 255 is needed</source>
        <translation>hace falta un número entero de 0 a 255</translation>
    </message>
    <message>
        <source>the two raw values must differ</source>
        <translation>los dos valores brutos deben ser distintos</translation>
    </message>
    <message>
        <source>a number is needed</source>
        <translation>hace falta un número</translation>
    </message>
    <message>
        <source>decimals go from 0 to %1</source>
        <translation>los decimales van de 0 a %1</translation>
    </message>
    <message>
        <source>Setting %1 is not usable: %2. %3 reads raw</source>
        <translation>El ajuste %1 no se puede usar: %2. %3 se muestra en bruto</translation>
    </message>
</context>
<context>
    <name>ChannelsControl</name>
    <message>
        <source>Channels...</source>
        <translation>Canales...</translation>
    </message>
</context>
<context>
    <name>ChannelsDialog</name>
    <message>
        <source>Volt 1, the blue trace</source>
        <translation>Voltaje 1, la curva azul</translation>
    </message>
    <message>
        <source>Volt 2, the red trace</source>
        <translation>Voltaje 2, la curva roja</translation>
    </message>
    <message>
        <source>Link quality, the green trace</source>
        <translation>Calidad del enlace, la curva verde</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Unidad</translation>
    </message>
    <message>
        <source>Raw value</source>
        <translation>Valor bruto</translation>
    </message>
    <message>
        <source>reads</source>
        <extracomment>Between two fields: raw value [120] reads [4.6], in the user&apos;s unit</extracomment>
        <translation>equivale a</translation>
    </message>
    <message>
        <source>Decimals</source>
        <translation>Decimales</translation>
    </message>
    <message>
        <source>name</source>
        <translation>nombre</translation>
    </message>
    <message>
        <source>unit</source>
        <translation>unidad</translation>
    </message>
    <message>
        <source>first raw value</source>
        <translation>primer valor bruto</translation>
    </message>
    <message>
        <source>what the first raw value reads</source>
        <translation>a qué equivale el primer valor bruto</translation>
    </message>
    <message>
        <source>second raw value</source>
        <translation>segundo valor bruto</translation>
    </message>
    <message>
        <source>what the second raw value reads</source>
        <translation>a qué equivale el segundo valor bruto</translation>
    </message>
    <message>
        <source>decimals</source>
        <translation>decimales</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Canales</translation>
    </message>
    <message>
        <source>Raw values</source>
        <translation>Valores brutos</translation>
    </message>
    <message>
        <source>%1: raw values</source>
        <translation>%1: valores brutos</translation>
    </message>
    <message>
        <source>Show this channel&apos;s raw bytes again, as the module sends them</source>
        <translation>Volver a mostrar los bytes en bruto de este canal, tal como los envía el módulo</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>a whole number of decimals is needed</source>
        <translation>hace falta un número entero de decimales</translation>
    </message>
    <message>
        <source>a whole number from 0 to 255 is needed</source>
        <translation>hace falta un número entero de 0 a 255</translation>
    </message>
    <message>
        <source>a number is needed</source>
        <translation>hace falta un número</translation>
    </message>
    <message>
        <source>No report yet</source>
        <translation>Todavía no hay lecturas</translation>
    </message>
    <message>
        <source>Newest report: %1</source>
        <translation>Última lectura: %1</translation>
    </message>
    <message>
        <source>Newest report: %1 reads %2</source>
        <translation>Última lectura: %1 equivale a %2</translation>
    </message>
</context>
<context>
    <name>CommDialog</name>
    <message>
        <source>Torvi @</source>
        <extracomment>Left of the port box: the brand, at the port chosen beside it</extracomment>
        <translation>Torvi @</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>Puerto serie</translation>
    </message>
    <message>
        <source>No port</source>
        <translation>Ninguno</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>RS232</source>
        <extracomment>The port dialog&apos;s title: the serial line&apos;s standard</extracomment>
        <translation>RS232</translation>
    </message>
    <message>
        <source>Named on the command line</source>
        <translation>Indicado en la línea de comandos</translation>
    </message>
    <message>
        <source>Manufacturer: %1</source>
        <translation>Fabricante: %1</translation>
    </message>
    <message>
        <source>Serial number: %1</source>
        <translation>Número de serie: %1</translation>
    </message>
    <message>
        <source>No serial port was found. Plug in an adapter and it appears here, or give the device&apos;s path on the command line: duplink /dev/pts/3</source>
        <translation>No se ha encontrado ningún puerto serie. Conecte un adaptador y aparecerá aquí, o indique la ruta del dispositivo en la línea de comandos: duplink /dev/pts/3</translation>
    </message>
</context>
<context>
    <name>DataPane</name>
    <message>
        <source>User data</source>
        <translation>Datos de usuario</translation>
    </message>
    <message>
        <source>One line of hexadecimal bytes for each user-data frame received</source>
        <translation>Una línea de bytes hexadecimales por cada trama de datos de usuario recibida</translation>
    </message>
</context>
<context>
    <name>EngineSpeaker</name>
    <message>
        <source>no speech engine works here; the package %1 provides one</source>
        <translation>aquí no funciona ningún motor de voz; el paquete %1 proporciona uno</translation>
    </message>
    <message>
        <source>cannot speak the alarms: %1</source>
        <translation>no se pueden anunciar las alarmas por voz: %1</translation>
    </message>
</context>
<context>
    <name>FlightActions</name>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Abrir</translation>
    </message>
    <message>
        <source>Show the whole flight in a flight history window</source>
        <translation>Mostrar el vuelo entero en una ventana de historial del vuelo</translation>
    </message>
    <message>
        <source>&amp;Note...</source>
        <translation>&amp;Nota...</translation>
    </message>
    <message>
        <source>Write a note on the flight</source>
        <translation>Escribir una nota sobre el vuelo</translation>
    </message>
    <message>
        <source>&amp;Pin</source>
        <translation>Fi&amp;jar</translation>
    </message>
    <message>
        <source>Keep the flight whatever room the flights take</source>
        <translation>Conservar el vuelo, ocupen lo que ocupen los vuelos</translation>
    </message>
    <message>
        <source>&amp;Export CSV...</source>
        <translation>&amp;Exportar CSV...</translation>
    </message>
    <message>
        <source>Write the flight&apos;s reports to a CSV file</source>
        <translation>Escribir las lecturas del vuelo en un archivo CSV</translation>
    </message>
    <message>
        <source>&amp;Show file</source>
        <translation>&amp;Mostrar archivo</translation>
    </message>
    <message>
        <source>Open the folder that holds the flights&apos; files</source>
        <translation>Abrir la carpeta que guarda los archivos de los vuelos</translation>
    </message>
    <message>
        <source>&amp;Delete...</source>
        <translation>&amp;Borrar...</translation>
    </message>
    <message>
        <source>Move the flight&apos;s file to the trash</source>
        <translation>Mover el archivo del vuelo a la papelera</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>No se puede abrir %1: %2</translation>
    </message>
    <message>
        <source>Flight history: %1</source>
        <extracomment>The title of a flight&apos;s history window opened from the Flights window: its start</extracomment>
        <translation>Historial del vuelo: %1</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Nota</translation>
    </message>
    <message>
        <source>Note on the flight of %1:</source>
        <translation>Nota sobre el vuelo del %1:</translation>
    </message>
    <message>
        <source>Cannot read %1</source>
        <translation>No se puede leer %1</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Exportar CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Archivos CSV (*.csv)</translation>
    </message>
    <message>
        <source>Exported to %1</source>
        <translation>Exportado a %1</translation>
    </message>
    <message>
        <source>Cannot open the folder %1</source>
        <translation>No se puede abrir la carpeta %1</translation>
    </message>
    <message>
        <source>Delete flight</source>
        <translation>Borrar vuelo</translation>
    </message>
    <message>
        <source>Move the flight of %1 (%2) to the trash?</source>
        <translation>¿Mover el vuelo del %1 (%2) a la papelera?</translation>
    </message>
    <message>
        <source>Moved %1 to the trash</source>
        <translation>%1 movido a la papelera</translation>
    </message>
    <message>
        <source>Cannot keep the note: the logbook&apos;s index cannot be written</source>
        <translation>No se puede guardar la nota: no se puede escribir el índice del libro de vuelos</translation>
    </message>
    <message>
        <source>Cannot keep the pin: the logbook&apos;s index cannot be written</source>
        <translation>No se puede guardar la fijación: no se puede escribir el índice del libro de vuelos</translation>
    </message>
</context>
<context>
    <name>FlightKeeper</name>
    <message>
        <source>Logbook off for this run: %1</source>
        <translation>Libro de vuelos desactivado en esta ejecución: %1</translation>
    </message>
    <message>
        <source>Logbook off for this run: cannot write in %1</source>
        <translation>Libro de vuelos desactivado en esta ejecución: no se puede escribir en %1</translation>
    </message>
    <message>
        <source>Logbook off for this run: too many flights start this second</source>
        <translation>Libro de vuelos desactivado en esta ejecución: empiezan demasiados vuelos en este segundo</translation>
    </message>
    <message>
        <source>Logbook stopped: %1. The flight is kept as far as it was written; flights are kept again from the next start.</source>
        <translation>Libro de vuelos detenido: %1. El vuelo se conserva hasta donde se escribió; los vuelos se vuelven a guardar desde el próximo inicio.</translation>
    </message>
</context>
<context>
    <name>FlightRecord</name>
    <message>
        <source>in progress</source>
        <translation>en curso</translation>
    </message>
    <message>
        <source>window closed</source>
        <extracomment>How a flight ended: the main window was closed</extracomment>
        <translation>ventana cerrada</translation>
    </message>
    <message>
        <source>no reports for a minute</source>
        <extracomment>How a flight ended: no report came for a minute</extracomment>
        <translation>un minuto sin lecturas</translation>
    </message>
    <message>
        <source>link lost for a minute</source>
        <extracomment>How a flight ended: the serial link stayed lost for a minute</extracomment>
        <translation>enlace perdido un minuto</translation>
    </message>
    <message>
        <source>could not be written further</source>
        <extracomment>How a flight ended: its file could not be written on (a full disk)</extracomment>
        <translation>no se pudo seguir escribiendo</translation>
    </message>
    <message>
        <source>ended unexpectedly</source>
        <extracomment>How a flight ended: the program stopped without closing its file (a crash)</extracomment>
        <translation>terminó inesperadamente</translation>
    </message>
    <message>
        <source>damaged</source>
        <extracomment>A file in the flights folder that is not a flight&apos;s capture, or is damaged</extracomment>
        <translation>dañado</translation>
    </message>
</context>
<context>
    <name>FlightsModel</name>
    <message>
        <source>%1 is not a flight&apos;s capture, or is damaged: it cannot be opened</source>
        <translation>%1 no es la captura de un vuelo, o está dañado: no se puede abrir</translation>
    </message>
    <message>
        <source>pinned</source>
        <extracomment>In the Flights table&apos;s Pinned column: the flight is kept from deletion</extracomment>
        <translation>fijado</translation>
    </message>
    <message>
        <source>alarm %1: %2</source>
        <translation>alarma %1: %2</translation>
    </message>
    <message>
        <source>none</source>
        <extracomment>The Flights table&apos;s Alarms column when no alarm tripped</extracomment>
        <translation>ninguna</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Start</source>
        <extracomment>A Flights table column: the time of day the flight started</extracomment>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Duración</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Dispositivo</translation>
    </message>
    <message>
        <source>Reports</source>
        <translation>Lecturas</translation>
    </message>
    <message>
        <source>Alarms</source>
        <extracomment>A Flights table column: how often each alarm row tripped</extracomment>
        <translation>Alarmas</translation>
    </message>
    <message>
        <source>Lost links</source>
        <translation>Enlaces perdidos</translation>
    </message>
    <message>
        <source>Ended</source>
        <extracomment>A Flights table column: how the flight ended</extracomment>
        <translation>Final</translation>
    </message>
    <message>
        <source>Pinned</source>
        <translation>Fijado</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Nota</translation>
    </message>
    <message>
        <source>%1
lowest</source>
        <extracomment>A Flights table column: a channel&apos;s lowest value in the flight</extracomment>
        <translation>%1
mínimo</translation>
    </message>
    <message>
        <source>%1
highest</source>
        <extracomment>A Flights table column: a channel&apos;s highest value</extracomment>
        <translation>%1
máximo</translation>
    </message>
</context>
<context>
    <name>FlightsWindow</name>
    <message>
        <source>Flights</source>
        <translation>Vuelos</translation>
    </message>
    <message>
        <source>&amp;Filter:</source>
        <extracomment>The label of the Flights window&apos;s filter box</extracomment>
        <translation>&amp;Filtro:</translation>
    </message>
    <message>
        <source>Filter flights</source>
        <translation>Filtrar vuelos</translation>
    </message>
    <message>
        <source>Shows only the flights whose row holds this text</source>
        <translation>Muestra solo los vuelos cuya fila contiene este texto</translation>
    </message>
    <message>
        <source>A row per flight, newest first. Enter opens the flight in a flight history window, Delete moves it to the trash.</source>
        <translation>Una fila por vuelo, el más reciente primero. Intro abre el vuelo en una ventana de historial del vuelo, Supr lo mueve a la papelera.</translation>
    </message>
    <message>
        <source>Reading the flights&apos; files into the logbook&apos;s index...</source>
        <translation>Leyendo los archivos de los vuelos en el índice del libro de vuelos...</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>1 flight</source>
        <translation>1 vuelo</translation>
    </message>
    <message>
        <source>%1 flights</source>
        <translation>%1 vuelos</translation>
    </message>
    <message>
        <source>%1, %2 of %3 MB, in %4</source>
        <extracomment>Under the Flights table: &quot;12 flights&quot;, the room they take (&quot;1.2 MB&quot;) and may take, and their folder</extracomment>
        <translation>%1, %2 de %3 MB, en %4</translation>
    </message>
    <message>
        <source>Clear the filter</source>
        <translation>Vaciar el filtro</translation>
    </message>
</context>
<context>
    <name>GraphExport</name>
    <message>
        <source>Save graph as image...</source>
        <translation>Guardar gráfica como imagen...</translation>
    </message>
    <message>
        <source>Copy graph</source>
        <translation>Copiar gráfica</translation>
    </message>
    <message>
        <source>Cannot save %1: %2</source>
        <translation>No se puede guardar %1: %2</translation>
    </message>
    <message>
        <source>Save graph as image</source>
        <translation>Guardar gráfica como imagen</translation>
    </message>
    <message>
        <source>PNG images (*.png)</source>
        <translation>Imágenes PNG (*.png)</translation>
    </message>
</context>
<context>
    <name>GraphOverlays</name>
    <message>
        <source>Paused</source>
        <translation>En pausa</translation>
    </message>
    <message>
        <source>REC</source>
        <translation>REC</translation>
    </message>
</context>
<context>
    <name>HistoryControl</name>
    <message>
        <source>Flight history...</source>
        <translation>Historial del vuelo...</translation>
    </message>
</context>
<context>
    <name>HistoryDrawing</name>
    <message>
        <source>link lost</source>
        <extracomment>In the flight history&apos;s legend, beside the shading of a lost link</extracomment>
        <translation>enlace perdido</translation>
    </message>
    <message>
        <source>alarm tripped</source>
        <extracomment>In the flight history&apos;s legend, beside a filled triangle</extracomment>
        <translation>alarma disparada</translation>
    </message>
    <message>
        <source>cleared</source>
        <extracomment>In the flight history&apos;s legend, beside a hollow triangle: an alarm that cleared</extracomment>
        <translation>despejada</translation>
    </message>
</context>
<context>
    <name>HistoryExport</name>
    <message>
        <source>Export CSV...</source>
        <translation>Exportar CSV...</translation>
    </message>
    <message>
        <source>Cannot export to %1: %2</source>
        <translation>No se puede exportar a %1: %2</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Exportar CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Archivos CSV (*.csv)</translation>
    </message>
</context>
<context>
    <name>HistoryPlot</name>
    <message>
        <source>Whole flight</source>
        <translation>Vuelo completo</translation>
    </message>
    <message>
        <source>Follow the newest report</source>
        <translation>Seguir la última lectura</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Acercar</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Alejar</translation>
    </message>
    <message>
        <source>No reports yet</source>
        <translation>Todavía no hay lecturas</translation>
    </message>
    <message>
        <source>Time: %1 (%2)</source>
        <extracomment>The readout of a report: its time since the first report, then by the clock</extracomment>
        <translation>Tiempo: %1 (%2)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Link lost since %1</source>
        <translation>Enlace perdido desde %1</translation>
    </message>
    <message>
        <source>Link lost from %1 to %2</source>
        <translation>Enlace perdido de %1 a %2</translation>
    </message>
    <message>
        <source>Alarm %1 tripped at %2</source>
        <translation>Alarma %1 disparada en %2</translation>
    </message>
    <message>
        <source>Alarm %1 cleared at %2</source>
        <translation>Alarma %1 despejada en %2</translation>
    </message>
</context>
<context>
    <name>HistoryWindow</name>
    <message>
        <source>Flight history</source>
        <translation>Historial del vuelo</translation>
    </message>
    <message>
        <source>Flight history plot</source>
        <translation>Gráfica del historial del vuelo</translation>
    </message>
    <message>
        <source>Every report since the start: voltage 1 in blue, voltage 2 in red, link quality in green, against the time since the first report</source>
        <translation>Todas las lecturas desde el inicio: voltaje 1 en azul, voltaje 2 en rojo, calidad del enlace en verde, frente al tiempo desde la primera lectura</translation>
    </message>
    <message>
        <source>Link quality: min 00.00 %, max 00.00 %, mean 00.00 %, newest 00.00 %.</source>
        <extracomment>Never shown: the widest line of figures likely, which sizes the label</extracomment>
        <translation>Calidad del enlace: mín. 00.00 %, máx. 00.00 %, media 00.00 %, última 00.00 %.</translation>
    </message>
    <message>
        <source>Save as image...</source>
        <translation>Guardar como imagen...</translation>
    </message>
    <message>
        <source>No reports yet.</source>
        <translation>Todavía no hay lecturas.</translation>
    </message>
    <message>
        <source>1 report</source>
        <extracomment>The number of reports in the time shown, at the end of the line before each channel&apos;s figures</extracomment>
        <translation>1 lectura</translation>
    </message>
    <message>
        <source>%1 reports</source>
        <translation>%1 lecturas</translation>
    </message>
    <message>
        <source>%1 to %2 since the first report, %3</source>
        <translation>%1 a %2 desde la primera lectura, %3</translation>
    </message>
    <message>
        <source>%1: min %2, max %3, mean %4, newest %5</source>
        <translation>%1: mín. %2, máx. %3, media %4, última %5</translation>
    </message>
    <message>
        <source>Holds the reports from %1 (%2) on: the oldest were dropped to keep within %3 reports.</source>
        <translation>Contiene las lecturas desde %1 (%2): las más antiguas se descartaron para no pasar de %3 lecturas.</translation>
    </message>
</context>
<context>
    <name>Logbook</name>
    <message>
        <source>the folder cannot be made</source>
        <translation>no se puede crear la carpeta</translation>
    </message>
    <message>
        <source>Logbook off for this run: cannot write in %1 (%2). The setting logbook/folder names another folder.</source>
        <translation>Libro de vuelos desactivado en esta ejecución: no se puede escribir en %1 (%2). El ajuste logbook/folder indica otra carpeta.</translation>
    </message>
    <message>
        <source>%1 is still being written</source>
        <translation>%1 todavía se está escribiendo</translation>
    </message>
    <message>
        <source>Cannot move %1 to the trash: %2</source>
        <translation>No se puede mover %1 a la papelera: %2</translation>
    </message>
    <message>
        <source>Logbook: deleted the oldest flight to keep within %1 MB (logbook/maxMegabytes)</source>
        <translation>Libro de vuelos: se borró el vuelo más antiguo para no pasar de %1 MB (logbook/maxMegabytes)</translation>
    </message>
    <message>
        <source>Logbook: deleted the %1 oldest flights to keep within %2 MB (logbook/maxMegabytes)</source>
        <translation>Libro de vuelos: se borraron los %1 vuelos más antiguos para no pasar de %2 MB (logbook/maxMegabytes)</translation>
    </message>
</context>
<context>
    <name>LogbookControl</name>
    <message>
        <source>Flights...</source>
        <translation>Vuelos...</translation>
    </message>
</context>
<context>
    <name>LogbookIndex</name>
    <message>
        <source>The logbook&apos;s index %1 was damaged; it is kept as %2 and made anew from the flights&apos; files</source>
        <translation>El índice del libro de vuelos %1 estaba dañado; se guarda como %2 y se crea de nuevo a partir de los archivos de los vuelos</translation>
    </message>
    <message>
        <source>Cannot use the logbook&apos;s index %1: its list is made from the files for this run</source>
        <translation>No se puede usar el índice del libro de vuelos %1: la lista se hace a partir de los archivos en esta ejecución</translation>
    </message>
    <message>
        <source>Cannot use the logbook&apos;s index %1 (%2): its list is made from the files for this run</source>
        <translation>No se puede usar el índice del libro de vuelos %1 (%2): la lista se hace a partir de los archivos en esta ejecución</translation>
    </message>
    <message>
        <source>The logbook&apos;s index: %1</source>
        <translation>Índice del libro de vuelos: %1</translation>
    </message>
</context>
<context>
    <name>LogbookSettings</name>
    <message>
        <source>Setting %1 is not usable: a whole number from %2 to %3 is needed. %4 is used</source>
        <translation>El ajuste %1 no se puede usar: hace falta un número entero de %2 a %3. Se usa %4</translation>
    </message>
</context>
<context>
    <name>ModuleLine</name>
    <message>
        <source>%1: %2</source>
        <extracomment>What failed, then why: &quot;cannot open /dev/pts/3: No such file or directory&quot;</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>cannot create a pseudo-terminal</source>
        <translation>no se puede crear un pseudoterminal</translation>
    </message>
    <message>
        <source>cannot make the pseudo-terminal non-blocking</source>
        <translation>no se puede poner el pseudoterminal en modo no bloqueante</translation>
    </message>
    <message>
        <source>cannot unlock the pseudo-terminal</source>
        <translation>no se puede desbloquear el pseudoterminal</translation>
    </message>
    <message>
        <source>cannot name the pseudo-terminal</source>
        <translation>no se puede obtener el nombre del pseudoterminal</translation>
    </message>
    <message>
        <source>cannot open %1</source>
        <translation>no se puede abrir %1</translation>
    </message>
    <message>
        <source>cannot set %1 raw</source>
        <translation>no se puede poner %1 en modo bruto</translation>
    </message>
    <message>
        <source>%1 is not a serial device</source>
        <translation>%1 no es un dispositivo serie</translation>
    </message>
    <message>
        <source>cannot configure %1</source>
        <translation>no se puede configurar %1</translation>
    </message>
    <message>
        <source>%1 exists and is not a symbolic link</source>
        <translation>%1 existe y no es un enlace simbólico</translation>
    </message>
    <message>
        <source>cannot replace %1</source>
        <translation>no se puede sustituir %1</translation>
    </message>
    <message>
        <source>cannot create %1</source>
        <translation>no se puede crear %1</translation>
    </message>
</context>
<context>
    <name>MqttClient</name>
    <message>
        <source>Cannot reach %1: the host name is not known (%2)</source>
        <translation>No se puede llegar a %1: el nombre del host es desconocido (%2)</translation>
    </message>
    <message>
        <source>Cannot reach %1: nothing answers on that port (connection refused); is the broker running?</source>
        <translation>No se puede llegar a %1: nada responde en ese puerto (conexión rechazada); ¿está en marcha el bróker?</translation>
    </message>
    <message>
        <source>Cannot reach %1: no answer</source>
        <translation>No se puede llegar a %1: sin respuesta</translation>
    </message>
    <message>
        <source>Cannot reach %1: no route to it (%2)</source>
        <translation>No se puede llegar a %1: no hay ruta (%2)</translation>
    </message>
    <message>
        <source>Refused the certificate of %1: it is not signed by a trusted authority, or names another host (%2)</source>
        <translation>Certificado de %1 rechazado: no lo firma una autoridad de confianza, o nombra otro host (%2)</translation>
    </message>
    <message>
        <source>No secure connection to %1 (%2)</source>
        <translation>Sin conexión segura con %1 (%2)</translation>
    </message>
    <message>
        <source>Cannot read the CA file %1</source>
        <translation>No se puede leer el archivo de CA %1</translation>
    </message>
    <message>
        <source>%1 refused the user name or password</source>
        <translation>%1 rechazó el usuario o la contraseña</translation>
    </message>
    <message>
        <source>%1 refused the connection: not authorized (a user name and password may be needed)</source>
        <translation>%1 rechazó la conexión: no autorizado (puede que haga falta usuario y contraseña)</translation>
    </message>
    <message>
        <source>%1 refused: %2</source>
        <translation>%1 rechazó: %2</translation>
    </message>
    <message>
        <source>Lost the connection to %1 (%2)</source>
        <translation>Se perdió la conexión con %1 (%2)</translation>
    </message>
    <message>
        <source>Cannot reach %1: %2</source>
        <translation>No se puede llegar a %1: %2</translation>
    </message>
</context>
<context>
    <name>RawCapture</name>
    <message>
        <source>cannot write %1: %2</source>
        <translation>no se puede escribir en %1: %2</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>no se puede leer %1: %2</translation>
    </message>
    <message>
        <source>%1 is not a raw capture (made by duplink-record --raw)</source>
        <translation>%1 no es una captura en bruto (como las que crea duplink-record --raw)</translation>
    </message>
    <message>
        <source>%1: damaged record at byte %2</source>
        <translation>%1: registro dañado en el byte %2</translation>
    </message>
    <message>
        <source>%1: truncated record at byte %2</source>
        <translation>%1: registro truncado en el byte %2</translation>
    </message>
</context>
<context>
    <name>RecordWriter</name>
    <message>
        <source>standard output</source>
        <translation>la salida estándar</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <extracomment>%1 is a file&apos;s name or &quot;standard output&quot;</extracomment>
        <translation>no se puede escribir en %1: %2</translation>
    </message>
</context>
<context>
    <name>Recorder</name>
    <message>
        <source>%1 is not a serial device</source>
        <translation>%1 no es un dispositivo serie</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>no se puede abrir %1: %2</translation>
    </message>
    <message>
        <source>%1; retrying every second</source>
        <extracomment>%1 says why the device cannot be opened</extracomment>
        <translation>%1; se reintenta cada segundo</translation>
    </message>
    <message>
        <source>Request not sent: %1</source>
        <translation>Petición no enviada: %1</translation>
    </message>
</context>
<context>
    <name>RecorderCommandLine</name>
    <message>
        <source>Records the frames of the telemetry module of the radio-control link. Opens the device at 9600 8N1, asks the module for its alarm settings and writes one line per frame: CSV under a header naming the columns timestamp, kind, volt1, volt2, linkq, linkql, alarm, value, comparison, level and data, each row filling the columns of its kind (volts, threshold or data); or with --json one JSON object per line. Timestamps are UTC, ISO 8601 with milliseconds; alarm is 0 to 3 for alarms 1 to 4; data is the user-data bytes in hex. A lost device is reopened once a second. Stops on Ctrl+C, SIGTERM, or at the limits.</source>
        <extracomment>The column names, &quot;volts&quot;, &quot;threshold&quot;, &quot;data&quot; and the formats&apos; names are written as they are in every language.</extracomment>
        <translation>Graba las tramas del módulo de telemetría del enlace de radiocontrol. Abre el dispositivo a 9600 8N1, pide al módulo sus ajustes de alarma y escribe una línea por trama: CSV bajo una cabecera que nombra las columnas timestamp, kind, volt1, volt2, linkq, linkql, alarm, value, comparison, level y data, y cada fila rellena las columnas de su tipo (volts, threshold o data); o, con --json, un objeto JSON por línea. Las marcas de tiempo son UTC, ISO 8601 con milisegundos; alarm va de 0 a 3 para las alarmas 1 a 4; data son los bytes de datos de usuario en hexadecimal. Un dispositivo perdido se vuelve a abrir cada segundo. Se detiene con Ctrl+C, SIGTERM o al llegar a los límites.</translation>
    </message>
    <message>
        <source>Serial device, such as ttyUSB0, /dev/pts/3 or /dev/serial/by-id/...</source>
        <translation>Dispositivo serie, como ttyUSB0, /dev/pts/3 o /dev/serial/by-id/...</translation>
    </message>
    <message>
        <source>Write the lines to this file (replaced) instead of standard output.</source>
        <translation>Escribir las líneas en este archivo (que se sustituye) en lugar de en la salida estándar.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>archivo</translation>
    </message>
    <message>
        <source>Write JSON Lines instead of CSV.</source>
        <translation>Escribir JSON Lines en lugar de CSV.</translation>
    </message>
    <message>
        <source>Also keep the bytes received, with the time of each read, in this file (replaced), for duplink-sim --replay.</source>
        <translation>Guardar además los bytes recibidos, con la hora de cada lectura, en este archivo (que se sustituye), para duplink-sim --replay.</translation>
    </message>
    <message>
        <source>Stop after this many seconds.</source>
        <translation>Detenerse tras este número de segundos.</translation>
    </message>
    <message>
        <source>Stop after this many frames of any kind.</source>
        <translation>Detenerse tras este número de tramas de cualquier tipo.</translation>
    </message>
    <message>
        <source>Fail at once if the device cannot be opened at start, instead of waiting for it.</source>
        <translation>Fallar de inmediato si el dispositivo no se puede abrir al inicio, en lugar de esperarlo.</translation>
    </message>
    <message>
        <source>cannot watch for signals</source>
        <translation>no se pueden vigilar las señales</translation>
    </message>
</context>
<context>
    <name>RecordingControl</name>
    <message>
        <source>Record to file...</source>
        <translation>Grabar en archivo...</translation>
    </message>
    <message>
        <source>Stop recording</source>
        <translation>Detener la grabación</translation>
    </message>
    <message>
        <source>Record to file</source>
        <translation>Grabar en archivo</translation>
    </message>
    <message>
        <source>CSV (*.csv);;JSON Lines (*.jsonl);;Raw capture (*.raw)</source>
        <extracomment>The file dialog&apos;s filters: &quot;;;&quot; between them, each pattern in brackets</extracomment>
        <translation>CSV (*.csv);;JSON Lines (*.jsonl);;Captura en bruto (*.raw)</translation>
    </message>
    <message>
        <source>Cannot record: %1</source>
        <translation>No se puede grabar: %1</translation>
    </message>
    <message>
        <source>nothing to record yet</source>
        <translation>todavía no hay nada que grabar</translation>
    </message>
    <message>
        <source>Recording to %1</source>
        <translation>Grabando en %1</translation>
    </message>
    <message>
        <source>Recording stopped: %1</source>
        <translation>Grabación detenida: %1</translation>
    </message>
</context>
<context>
    <name>RenderArea</name>
    <message>
        <source>Show alarm thresholds</source>
        <translation>Mostrar umbrales de alarma</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausar</translation>
    </message>
    <message>
        <source>Newest report: %1</source>
        <translation>Última lectura: %1</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>En pausa</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Grabando</translation>
    </message>
    <message>
        <source>No report in this slot yet</source>
        <translation>Todavía no hay lectura en esta posición</translation>
    </message>
    <message>
        <source>Reports ago: %1</source>
        <translation>Lecturas atrás: %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>SerialConnection</name>
    <message>
        <source>the port is not open</source>
        <translation>el puerto no está abierto</translation>
    </message>
</context>
<context>
    <name>SerialLink</name>
    <message>
        <source>%1 belongs to the group %2. To use it, add yourself to that group and log in again: sudo usermod -aG %2 $USER</source>
        <translation>%1 pertenece al grupo %2. Para usarlo, añádase a ese grupo y vuelva a iniciar sesión: sudo usermod -aG %2 $USER</translation>
    </message>
    <message>
        <source>No serial port was chosen</source>
        <translation>No se ha elegido ningún puerto serie</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>No se puede abrir %1: %2</translation>
    </message>
    <message>
        <source>Link lost: %1 (%2)</source>
        <translation>Enlace perdido: %1 (%2)</translation>
    </message>
    <message>
        <source>%1 was unplugged or closed</source>
        <translation>%1 se ha desconectado o cerrado</translation>
    </message>
    <message>
        <source>cannot read from %1</source>
        <translation>no se puede leer de %1</translation>
    </message>
    <message>
        <source>cannot write to %1</source>
        <translation>no se puede escribir en %1</translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation>%1 ha fallado</translation>
    </message>
    <message>
        <source>Link up: %1</source>
        <translation>Enlace activo: %1</translation>
    </message>
</context>
<context>
    <name>ShareControl</name>
    <message>
        <source>Share over MQTT...</source>
        <translation>Compartir por MQTT...</translation>
    </message>
    <message>
        <source>%1 reports could not wait for %2 and were dropped</source>
        <translation>%1 informes no pudieron esperar a %2 y se descartaron</translation>
    </message>
    <message>
        <source>A watched session is not shared again</source>
        <translation>Una sesión observada no se vuelve a compartir</translation>
    </message>
    <message>
        <source>The module is on another machine: a watched session sends it nothing</source>
        <extracomment>The tooltip of each Set button while watching a session shared from another computer</extracomment>
        <translation>El módulo está en otro equipo: una sesión observada no le envía nada</translation>
    </message>
    <message>
        <source>The station sharing %1 is online again</source>
        <translation>La estación que comparte %1 vuelve a estar en línea</translation>
    </message>
    <message>
        <source>Connected to %1 again</source>
        <translation>Conectado de nuevo a %1</translation>
    </message>
    <message>
        <source>The station sharing %1 is offline</source>
        <translation>La estación que comparte %1 está fuera de línea</translation>
    </message>
    <message>
        <source>The station sharing %1 is offline since %2</source>
        <translation>La estación que comparte %1 está fuera de línea desde %2</translation>
    </message>
    <message>
        <source>connected</source>
        <translation>conectado</translation>
    </message>
    <message>
        <source>connecting</source>
        <translation>conectando</translation>
    </message>
    <message>
        <source>not connected: %1</source>
        <translation>sin conexión: %1</translation>
    </message>
    <message>
        <source>Sharing as %1 on %2: %3</source>
        <translation>Compartiendo como %1 en %2: %3</translation>
    </message>
    <message>
        <source>Watching %1 on %2: %3</source>
        <translation>Observando %1 en %2: %3</translation>
    </message>
    <message>
        <source>%1 messages that were not a sharer&apos;s dropped</source>
        <translation>%1 mensajes descartados que no eran de una estación que comparte</translation>
    </message>
    <message>
        <source>Cannot keep the sharing settings in %1</source>
        <translation>No se puede guardar la configuración de compartir en %1</translation>
    </message>
</context>
<context>
    <name>ShareDialog</name>
    <message>
        <source>Share over MQTT</source>
        <translation>Compartir por MQTT</translation>
    </message>
    <message>
        <source>host or host:port</source>
        <translation>host o host:puerto</translation>
    </message>
    <message>
        <source>Broker</source>
        <translation>Bróker</translation>
    </message>
    <message>
        <source>The MQTT broker&apos;s host name or address, and its port if not the usual</source>
        <translation>El nombre o la dirección del bróker MQTT, y su puerto si no es el habitual</translation>
    </message>
    <message>
        <source>Secure connection (TLS)</source>
        <translation>Conexión segura (TLS)</translation>
    </message>
    <message>
        <source>the system&apos;s certificates</source>
        <translation>los certificados del sistema</translation>
    </message>
    <message>
        <source>CA file</source>
        <translation>Archivo de CA</translation>
    </message>
    <message>
        <source>The authority that signed the broker&apos;s certificate; empty: the system&apos;s</source>
        <translation>La autoridad que firmó el certificado del bróker; vacío: las del sistema</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Examinar...</translation>
    </message>
    <message>
        <source>Choose the CA file</source>
        <translation>Elegir el archivo de CA</translation>
    </message>
    <message>
        <source>field/1</source>
        <translation>field/1</translation>
    </message>
    <message>
        <source>Base topic</source>
        <translation>Tema base</translation>
    </message>
    <message>
        <source>The session&apos;s topics lie under it: report, data, alarms, channels, status</source>
        <translation>Los temas de la sesión están debajo: report, data, alarms, channels, status</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>Usuario</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Contraseña</translation>
    </message>
    <message>
        <source>Kept in the settings file, which only you can read</source>
        <translation>Se guarda en el archivo de configuración, que solo usted puede leer</translation>
    </message>
    <message>
        <source>Announce the channels with a unit to Home Assistant</source>
        <translation>Anunciar a Home Assistant los canales con unidad</translation>
    </message>
    <message>
        <source>Share this session</source>
        <translation>Compartir esta sesión</translation>
    </message>
    <message>
        <source>Problem</source>
        <translation>Problema</translation>
    </message>
    <message>
        <source>&amp;Broker:</source>
        <translation>&amp;Bróker:</translation>
    </message>
    <message>
        <source>&amp;CA file:</source>
        <translation>Archivo de &amp;CA:</translation>
    </message>
    <message>
        <source>Base &amp;topic:</source>
        <translation>&amp;Tema base:</translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation>&amp;Usuario:</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>C&amp;ontraseña:</translation>
    </message>
    <message>
        <source>Certificates (*.pem *.crt);;All files (*)</source>
        <translation>Certificados (*.pem *.crt);;Todos los archivos (*)</translation>
    </message>
</context>
<context>
    <name>Simulator</name>
    <message>
        <source>write on %1 failed: %2</source>
        <translation>la escritura en %1 ha fallado: %2</translation>
    </message>
    <message>
        <source>read on %1 failed: %2</source>
        <translation>la lectura de %1 ha fallado: %2</translation>
    </message>
</context>
<context>
    <name>SimulatorCommandLine</name>
    <message>
        <source>Acts as the telemetry module of the radio-control link on a pseudo-terminal or a serial device. Prints the device to open as its first line, then one line per command received: &apos;request&apos;, or &apos;alarm N value V comparison C level L&apos;.</source>
        <extracomment>&apos;request&apos; and &apos;alarm N value V comparison C level L&apos; are printed as they are in every language.</extracomment>
        <translation>Hace de módulo de telemetría del enlace de radiocontrol en un pseudoterminal o un dispositivo serie. Escribe como primera línea el dispositivo que hay que abrir y después una línea por cada orden recibida: &apos;request&apos; o &apos;alarm N value V comparison C level L&apos;.</translation>
    </message>
    <message>
        <source>Use this serial device (opened raw, 9600 8N1) instead of a new pseudo-terminal.</source>
        <translation>Usar este dispositivo serie (abierto en bruto, 9600 8N1) en lugar de un pseudoterminal nuevo.</translation>
    </message>
    <message>
        <source>Also make a symbolic link here pointing to the device, replacing a symbolic link already there; removed at exit.</source>
        <translation>Crear además aquí un enlace simbólico al dispositivo, que sustituye a un enlace simbólico ya existente; se elimina al salir.</translation>
    </message>
    <message>
        <source>path</source>
        <translation>ruta</translation>
    </message>
    <message>
        <source>Volts frames per second (default 20, at most 1000).</source>
        <translation>Tramas de voltaje por segundo (20 por omisión, 1000 como máximo).</translation>
    </message>
    <message>
        <source>Send the volts frames N at a time, in one write, at the same average rate (default 1), as an adapter that buffers does.</source>
        <translation>Enviar las tramas de voltaje de N en N, en una sola escritura, al mismo ritmo medio (1 por omisión), como hace un adaptador con búfer.</translation>
    </message>
    <message>
        <source>Seed of the generated data: the same seed gives the same frames.</source>
        <translation>Semilla de los datos generados: la misma semilla da las mismas tramas.</translation>
    </message>
    <message>
        <source>Quit after this many seconds.</source>
        <translation>Salir tras este número de segundos.</translation>
    </message>
    <message>
        <source>Quit after sending this many volts frames.</source>
        <translation>Salir tras enviar este número de tramas de voltaje.</translation>
    </message>
    <message>
        <source>Send as fast as the line takes the bytes, ignoring --rate.</source>
        <translation>Enviar tan rápido como la línea acepte los bytes, sin tener en cuenta --rate.</translation>
    </message>
    <message>
        <source>Add line noise between frames, split the writes, and send many values that need stuffing.</source>
        <translation>Añadir ruido de línea entre las tramas, partir las escrituras y enviar muchos valores que requieren relleno de bytes.</translation>
    </message>
    <message>
        <source>Play back a capture made by duplink-record --raw at its recorded pace instead of generating frames, from the monitor&apos;s first command on (its request when it connects); commands are printed but not answered. Quits at the end of the capture.</source>
        <translation>Reproducir una captura hecha con duplink-record --raw a su ritmo grabado en lugar de generar tramas, a partir de la primera orden del monitor (su petición al conectarse); las órdenes se escriben pero no se responden. Sale al final de la captura.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>archivo</translation>
    </message>
    <message>
        <source>--replay cannot be combined with --%1</source>
        <translation>--replay no se puede combinar con --%1</translation>
    </message>
    <message>
        <source>--rate wants a number of frames per second above 0, at most %1</source>
        <translation>--rate espera un número de tramas por segundo mayor que 0 y como máximo %1</translation>
    </message>
    <message>
        <source>--burst wants a whole number from 1 to %1</source>
        <translation>--burst espera un número entero de 1 a %1</translation>
    </message>
    <message>
        <source>--seed wants a whole number from 0 to 4294967295</source>
        <translation>--seed espera un número entero de 0 a 4294967295</translation>
    </message>
    <message>
        <source>seed %1</source>
        <translation>semilla %1</translation>
    </message>
    <message>
        <source>cannot watch for signals</source>
        <translation>no se pueden vigilar las señales</translation>
    </message>
</context>
<context>
    <name>SpeechSpeaker</name>
    <message>
        <source>cannot speak the alarms: %1 (%2)</source>
        <translation>no se pueden anunciar las alarmas por voz: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>ToolCommandLine</name>
    <message>
        <source>path</source>
        <extracomment>The value of a command-line option, as in --device &lt;path&gt;</extracomment>
        <translation>ruta</translation>
    </message>
    <message>
        <source>device</source>
        <extracomment>The command line&apos;s positional argument, in the help&apos;s usage line and list of arguments</extracomment>
        <translation>dispositivo</translation>
    </message>
    <message>
        <source>seconds</source>
        <extracomment>The value of a command-line option, as in --duration &lt;seconds&gt;</extracomment>
        <translation>segundos</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>argumento inesperado «%1»</translation>
    </message>
    <message>
        <source>no device given</source>
        <translation>no se ha indicado ningún dispositivo</translation>
    </message>
    <message>
        <source>one device only</source>
        <translation>solo un dispositivo</translation>
    </message>
    <message>
        <source>--duration wants a number of seconds above 0</source>
        <translation>--duration espera un número de segundos mayor que 0</translation>
    </message>
    <message>
        <source>--frames wants a whole number above 0</source>
        <translation>--frames espera un número entero mayor que 0</translation>
    </message>
</context>
<context>
    <name>UsageError</name>
    <message>
        <source>Try &apos;%1 --help&apos; for more information.</source>
        <translation>Pruebe «%1 --help» para más información.</translation>
    </message>
</context>
<context>
    <name>WatchParser</name>
    <message>
        <source>%1 bytes, more than a sharer sends</source>
        <translation>%1 bytes, más de lo que envía una estación que comparte</translation>
    </message>
    <message>
        <source>not JSON (%1)</source>
        <translation>no es JSON (%1)</translation>
    </message>
    <message>
        <source>a report is a JSON object</source>
        <translation>un informe es un objeto JSON</translation>
    </message>
    <message>
        <source>a report&apos;s &quot;ms&quot; is a whole number of milliseconds</source>
        <translation>&quot;ms&quot; de un informe es un número entero de milisegundos</translation>
    </message>
    <message>
        <source>a report&apos;s &quot;seq&quot; is a whole number from 1</source>
        <translation>&quot;seq&quot; de un informe es un número entero desde 1</translation>
    </message>
    <message>
        <source>a report&apos;s &quot;%1&quot; is a whole number from 0 to 255</source>
        <translation>&quot;%1&quot; de un informe es un número entero de 0 a 255</translation>
    </message>
    <message>
        <source>user data is 1 to 6 bytes in hexadecimal, as &quot;0A FF 7E&quot;</source>
        <translation>los datos de usuario son de 1 a 6 bytes en hexadecimal, como &quot;0A FF 7E&quot;</translation>
    </message>
    <message>
        <source>the alarms are a JSON array of four rows</source>
        <translation>las alarmas son un array JSON de cuatro filas</translation>
    </message>
    <message>
        <source>alarm row %1 needs &quot;value&quot;, &quot;comparison&quot; and &quot;level&quot;, each a whole number from 0 to 255</source>
        <translation>la fila de alarma %1 necesita &quot;value&quot;, &quot;comparison&quot; y &quot;level&quot;, cada uno un número entero de 0 a 255</translation>
    </message>
    <message>
        <source>the channels are a JSON object</source>
        <translation>los canales son un objeto JSON</translation>
    </message>
    <message>
        <source>channel &quot;%1&quot; is not a usable calibration</source>
        <translation>el canal &quot;%1&quot; no es una calibración utilizable</translation>
    </message>
    <message>
        <source>a status is &quot;online&quot; or &quot;offline&quot;</source>
        <translation>un estado es &quot;online&quot; u &quot;offline&quot;</translation>
    </message>
</context>
<context>
    <name>Watcher</name>
    <message>
        <source>Dropped a message on %1: %2 (%3 dropped so far)</source>
        <translation>Mensaje descartado en %1: %2 (%3 descartados hasta ahora)</translation>
    </message>
</context>
<context>
    <name>Window</name>
    <message>
        <source>Torvi Duplink</source>
        <translation>Torvi Duplink</translation>
    </message>
    <message>
        <source>Telemetry graph</source>
        <translation>Gráfica de telemetría</translation>
    </message>
    <message>
        <source>The last 128 reports: voltage 1 in blue, voltage 2 in red, link quality in green</source>
        <translation>Las últimas 128 lecturas: voltaje 1 en azul, voltaje 2 en rojo, calidad del enlace en verde</translation>
    </message>
    <message>
        <source>Link quality: the average of the last 16 reports and half the average of the second link reading, or the state of the link</source>
        <translation>Calidad del enlace: la media de las últimas 16 lecturas y la mitad de la media del segundo valor del enlace, o el estado del enlace</translation>
    </message>
    <message>
        <source>Replay over: %1 stops short at byte %2</source>
        <translation>Reproducción terminada: %1 se corta en el byte %2</translation>
    </message>
    <message>
        <source>Replay over: %1</source>
        <translation>Reproducción terminada: %1</translation>
    </message>
    <message>
        <source>replay of %1</source>
        <translation>reproducción de %1</translation>
    </message>
    <message>
        <source>recording</source>
        <translation>grabando</translation>
    </message>
    <message>
        <source>Torvi Duplink (%1)</source>
        <translation>Torvi Duplink (%1)</translation>
    </message>
    <message>
        <source>Opened through %1, which finds the same adapter again after a replug</source>
        <translation>Abierto a través de %1, que vuelve a encontrar el mismo adaptador tras reconectarlo</translation>
    </message>
    <message>
        <source>the port is not open</source>
        <translation>el puerto no está abierto</translation>
    </message>
    <message>
        <source>Frame not sent: this is a replay of %1, with no module to send it to</source>
        <translation>Trama no enviada: esto es una reproducción de %1, sin módulo al que enviarla</translation>
    </message>
    <message>
        <source>Frame not sent: %1</source>
        <translation>Trama no enviada: %1</translation>
    </message>
    <message>
        <source>watching %1</source>
        <translation>observando %1</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Record the session to this file from the moment the link is up: CSV, JSON Lines (.jsonl) or a raw capture (.raw), by the file&apos;s extension.</source>
        <translation>Grabar la sesión en este archivo desde que el enlace esté activo: CSV, JSON Lines (.jsonl) o una captura en bruto (.raw), según la extensión del archivo.</translation>
    </message>
    <message>
        <source>file</source>
        <extracomment>The value of a command-line option, as in --record &lt;file&gt;</extracomment>
        <translation>archivo</translation>
    </message>
    <message>
        <source>Play a raw capture (made by duplink-record --raw or recorded from the window) at its recorded pace instead of opening a port.</source>
        <translation>Reproducir una captura en bruto (hecha con duplink-record --raw o grabada desde la ventana) a su ritmo grabado en lugar de abrir un puerto.</translation>
    </message>
    <message>
        <source>With --replay: play N times faster (default 1; 0 as fast as possible).</source>
        <translation>Con --replay: reproducir N veces más rápido (1 por omisión; 0 lo más rápido posible).</translation>
    </message>
    <message>
        <source>Monitor and configure the telemetry module of a radio-control link.</source>
        <translation>Supervisar y configurar el módulo de telemetría de un enlace de radiocontrol.</translation>
    </message>
    <message>
        <source>device</source>
        <extracomment>The command line&apos;s positional argument, in the help&apos;s list of arguments</extracomment>
        <translation>dispositivo</translation>
    </message>
    <message>
        <source>Serial device to offer in the port dialog before the ports found on this computer, such as /dev/pts/3 or /dev/serial/by-id/...; the first is chosen.</source>
        <translation>Dispositivo serie que el diálogo de puertos ofrece antes de los puertos encontrados en este equipo, como /dev/pts/3 o /dev/serial/by-id/...; se elige el primero.</translation>
    </message>
    <message>
        <source>[device...]</source>
        <extracomment>The positional arguments in the help&apos;s usage line: any number of devices</extracomment>
        <translation>[dispositivo...]</translation>
    </message>
    <message>
        <source>--speed goes with --replay</source>
        <translation>--speed va con --replay</translation>
    </message>
    <message>
        <source>--speed wants a number, 0 or more</source>
        <translation>--speed espera un número, 0 o más</translation>
    </message>
    <message>
        <source>--replay plays a file; name no device with it</source>
        <translation>--replay reproduce un archivo; no indique ningún dispositivo con él</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>no se puede escribir en %1: %2</translation>
    </message>
    <message>
        <source>%1 stops short at byte %2; playing what is whole</source>
        <translation>%1 se corta en el byte %2; se reproduce lo que está completo</translation>
    </message>
    <message>
        <source>Open the flight history window too (Ctrl+H): every report since the start against time; with --replay --speed 0, the whole capture at once.</source>
        <translation>Abrir también la ventana del historial del vuelo (Ctrl+H): cada lectura desde el inicio frente al tiempo; con --replay --speed 0, toda la captura de una vez.</translation>
    </message>
    <message>
        <source>Open the Flights window alone (Ctrl+L in the main window): the logbook of every flight kept, without a port; closing it ends the program.</source>
        <translation>Abrir solo la ventana Vuelos (Ctrl+L en la ventana principal): el libro de todos los vuelos guardados, sin puerto; al cerrarla termina el programa.</translation>
    </message>
    <message>
        <source>Keep no flight in the logbook during this run.</source>
        <translation>No guardar ningún vuelo en el libro de vuelos en esta ejecución.</translation>
    </message>
    <message>
        <source>Share the session through an MQTT broker under the base topic BASE, whatever the settings say: reports, user data, alarms, channels and status (mqtts:// for TLS; user name, password and CA file from the &quot;Share over MQTT&quot; settings).</source>
        <translation>Compartir la sesión a través de un bróker MQTT bajo el tema base BASE, diga lo que diga la configuración: informes, datos de usuario, alarmas, canales y estado (mqtts:// para TLS; usuario, contraseña y archivo de CA de la configuración &quot;Compartir por MQTT&quot;).</translation>
    </message>
    <message>
        <source>mqtt://HOST[:PORT]/BASE</source>
        <extracomment>The value of --share and --watch: a broker&apos;s address and a base topic</extracomment>
        <translation>mqtt://HOST[:PORT]/BASE</translation>
    </message>
    <message>
        <source>Watch a session another Duplink shares through an MQTT broker, instead of opening a port; nothing is sent to its module.</source>
        <translation>Observar una sesión que otro Duplink comparte a través de un bróker MQTT, en lugar de abrir un puerto; no se envía nada a su módulo.</translation>
    </message>
    <message>
        <source>--flights opens the logbook alone; name no device, --replay, --record, --history, --share or --watch with it</source>
        <translation>--flights abre solo el libro de vuelos; no indique con él ningún dispositivo, --replay, --record, --history, --share ni --watch</translation>
    </message>
    <message>
        <source>--watch shows a shared session; name no device, replay or share with it</source>
        <translation>--watch muestra una sesión compartida; no indique con él ningún dispositivo, --replay ni --share</translation>
    </message>
</context>
</TS>
