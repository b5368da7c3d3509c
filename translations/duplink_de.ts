<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AlarmAnnouncer</name>
    <message>
        <source>Speak alarms</source>
        <translation>Alarme ansagen</translation>
    </message>
    <message>
        <source>Read each alarm aloud as it trips and clears</source>
        <translation>Jeden Alarm beim Auslösen und beim Aufheben laut ansagen</translation>
    </message>
    <message>
        <source>No speech engine is installed; the package %1 provides one</source>
        <translation>Es ist keine Sprachausgabe installiert; das Paket %1 bringt eine mit</translation>
    </message>
    <message>
        <source>Notify alarms</source>
        <translation>Alarme als Benachrichtigung</translation>
    </message>
    <message>
        <source>Show each alarm as a desktop notification while this window is not the active one</source>
        <translation>Jeden Alarm als Desktop-Benachrichtigung zeigen, solange dieses Fenster nicht das aktive ist</translation>
    </message>
    <message>
        <source>Silence alarms</source>
        <translation>Alarme stummschalten</translation>
    </message>
    <message>
        <source>Stop what is being read, and keep quiet until another alarm trips</source>
        <translation>Die laufende Ansage abbrechen und schweigen, bis ein weiterer Alarm auslöst</translation>
    </message>
</context>
<context>
    <name>AlarmNotifier</name>
    <message>
        <source>no desktop notifications: %1</source>
        <translation>keine Desktop-Benachrichtigungen: %1</translation>
    </message>
</context>
<context>
    <name>AlarmRow</name>
    <message>
        <source>Ch1 alarm</source>
        <extracomment>The caption of an alarm row watching channel 1 (volt 1)</extracomment>
        <translation>K1-Alarm</translation>
    </message>
    <message>
        <source>Ch2 alarm</source>
        <extracomment>The caption of an alarm row watching channel 2 (volt 2)</extracomment>
        <translation>K2-Alarm</translation>
    </message>
    <message>
        <source>Set</source>
        <extracomment>The button that sends the row&apos;s alarm setting to the module</extracomment>
        <translation>Setzen</translation>
    </message>
    <message>
        <source>when</source>
        <extracomment>Between the Set button and the comparison: alarm when [less | greater] than [value]</extracomment>
        <translation>wenn</translation>
    </message>
    <message>
        <source>less</source>
        <extracomment>The comparison: the alarm sounds when the value is less than the threshold</extracomment>
        <translation>kleiner</translation>
    </message>
    <message>
        <source>great</source>
        <extracomment>The comparison &quot;greater&quot;: the alarm sounds when the value is greater than the threshold</extracomment>
        <translation>größer</translation>
    </message>
    <message>
        <source>than</source>
        <extracomment>After the comparison: [less | greater] than [value]</extracomment>
        <translation>als</translation>
    </message>
    <message>
        <source>Alarm %1, channel %2</source>
        <translation>Alarm %1, Kanal %2</translation>
    </message>
    <message>
        <source>Alarm %1 level</source>
        <translation>Stufe von Alarm %1</translation>
    </message>
    <message>
        <source>Alarm level, 0 to 3</source>
        <translation>Alarmstufe, 0 bis 3</translation>
    </message>
    <message>
        <source>Set alarm %1</source>
        <translation>Alarm %1 setzen</translation>
    </message>
    <message>
        <source>Send this alarm&apos;s settings to the module</source>
        <translation>Die Einstellungen dieses Alarms an das Modul senden</translation>
    </message>
    <message>
        <source>Alarm %1 comparison</source>
        <translation>Vergleich von Alarm %1</translation>
    </message>
    <message>
        <source>Whether the alarm sounds below or above the threshold value</source>
        <translation>Ob der Alarm unter oder über dem Schwellwert auslöst</translation>
    </message>
    <message>
        <source>Alarm %1 threshold value</source>
        <translation>Schwellwert von Alarm %1</translation>
    </message>
    <message>
        <source>Threshold value, 1 to 254</source>
        <translation>Schwellwert, 1 bis 254</translation>
    </message>
    <message>
        <source>%1 means %2</source>
        <translation>%1 bedeutet %2</translation>
    </message>
    <message>
        <source>Alarm %1 clear</source>
        <translation>Alarm %1 aufgehoben</translation>
    </message>
    <message>
        <source>Alarm %1: %2 above %3</source>
        <translation>Alarm %1: %2 über %3</translation>
    </message>
    <message>
        <source>Alarm %1: %2 below %3</source>
        <translation>Alarm %1: %2 unter %3</translation>
    </message>
    <message>
        <source>Alarm condition holds: %1 is above %2</source>
        <translation>Alarmbedingung erfüllt: %1 liegt über %2</translation>
    </message>
    <message>
        <source>Alarm condition holds: %1 is below %2</source>
        <translation>Alarmbedingung erfüllt: %1 liegt unter %2</translation>
    </message>
</context>
<context>
    <name>BrokerAddress</name>
    <message>
        <source>a base topic is needed, as in mqtt://broker/field/1</source>
        <translation>ein Basis-Topic wird gebraucht, wie in mqtt://broker/field/1</translation>
    </message>
    <message>
        <source>the base topic cannot hold the wildcards + or #</source>
        <translation>das Basis-Topic darf die Platzhalter + und # nicht enthalten</translation>
    </message>
    <message>
        <source>a base topic starting with $ is the broker&apos;s own</source>
        <translation>ein Basis-Topic, das mit $ beginnt, gehört dem Broker</translation>
    </message>
    <message>
        <source>the base topic has an empty level (two slashes, or one at an end)</source>
        <translation>das Basis-Topic hat eine leere Ebene (zwei Schrägstriche oder einen am Ende)</translation>
    </message>
    <message>
        <source>the base topic is not a usable topic name</source>
        <translation>das Basis-Topic ist kein brauchbarer Topic-Name</translation>
    </message>
    <message>
        <source>an address is written mqtt://HOST[:PORT]/BASE or mqtts://HOST[:PORT]/BASE</source>
        <translation>eine Adresse lautet mqtt://HOST[:PORT]/BASE oder mqtts://HOST[:PORT]/BASE</translation>
    </message>
    <message>
        <source>a broker is written mqtt://HOST[:PORT] or mqtts://HOST[:PORT]</source>
        <translation>ein Broker lautet mqtt://HOST[:PORT] oder mqtts://HOST[:PORT]</translation>
    </message>
    <message>
        <source>the broker&apos;s host is missing</source>
        <translation>der Host des Brokers fehlt</translation>
    </message>
    <message>
        <source>put the user name and password in the settings, not in the address</source>
        <translation>Benutzername und Passwort gehören in die Einstellungen, nicht in die Adresse</translation>
    </message>
    <message>
        <source>the port must be from 1 to 65535</source>
        <translation>der Port muss zwischen 1 und 65535 liegen</translation>
    </message>
</context>
<context>
    <name>ChannelScale</name>
    <message>
        <source>Volt 1</source>
        <translation>Spannung 1</translation>
    </message>
    <message>
        <source>Volt 2</source>
        <translation>Spannung 2</translation>
    </message>
    <message>
        <source>Link quality</source>
        <translation>Verbindungsqualität</translation>
    </message>
    <message>
        <source>volt 1</source>
        <translation>Spannung 1</translation>
    </message>
    <message>
        <source>volt 2</source>
        <translation>Spannung 2</translation>
    </message>
    <message>
        <source>link quality</source>
        <translation>Verbindungsqualität</translation>
    </message>
    <message>
        <source>volts</source>
        <translation>Volt</translation>
    </message>
    <message>
        <source>millivolts</source>
        <translation>Millivolt</translation>
    </message>
    <message>
        <source>amps</source>
        <translation>Ampere</translation>
    </message>
    <message>
        <source>milliamps</source>
        <translation>Milliampere</translation>
    </message>
    <message>
        <source>amp hours</source>
        <translation>Amperestunden</translation>
    </message>
    <message>
        <source>milliamp hours</source>
        <translation>Milliamperestunden</translation>
    </message>
    <message>
        <source>watts</source>
        <translation>Watt</translation>
    </message>
    <message>
        <source>percent</source>
        <translation>Prozent</translation>
    </message>
    <message>
        <source>decibels</source>
        <translation>Dezibel</translation>
    </message>
    <message>
        <source>decibel milliwatts</source>
        <translation>Dezibel Milliwatt</translation>
    </message>
    <message>
        <source>degrees Celsius</source>
        <translation>Grad Celsius</translation>
    </message>
    <message>
        <source>degrees Fahrenheit</source>
        <translation>Grad Fahrenheit</translation>
    </message>
    <message>
        <source>metres</source>
        <translation>Meter</translation>
    </message>
    <message>
        <source>kilometres per hour</source>
        <translation>Kilometer pro Stunde</translation>
    </message>
    <message>
        <source>metres per second</source>
        <translation>Meter pro Sekunde</translation>
    </message>
    <message>
        <source>revolutions per minute</source>
        <translation>Umdrehungen pro Minute</translation>
    </message>
    <message>
        <source>a name is needed</source>
        <translation>ein Name ist nötig</translation>
    </message>
    <message>
        <source>a unit has at most %1 characters</source>
        <translation>eine Einheit hat höchstens %1 Zeichen</translation>
    </message>
    <message>
        <source>a whole number from 0 to 255 is needed</source>
        <translation>eine ganze Zahl von 0 bis 255 ist nötig</translation>
    </message>
    <message>
        <source>the two raw values must differ</source>
        <translation>die beiden Rohwerte müssen sich unterscheiden</translation>
    </message>
    <message>
        <source>a number is needed</source>
        <translation>eine Zahl ist nötig</translation>
    </message>
    <message>
        <source>decimals go from 0 to %1</source>
        <translation>Nachkommastellen gehen von 0 bis %1</translation>
    </message>
    <message>
        <source>Setting %1 is not usable: %2. %3 reads raw</source>
        <translation>Die Einstellung %1 ist unbrauchbar: %2. %3 wird roh angezeigt</translation>
    </message>
</context>
<context>
    <name>ChannelsControl</name>
    <message>
        <source>Channels...</source>
        <translation>Kanäle...</translation>
    </message>
</context>
<context>
    <name>ChannelsDialog</name>
    <message>
        <source>Volt 1, the blue trace</source>
        <translation>Spannung 1, die blaue Kurve</translation>
    </message>
    <message>
        <source>Volt 2, the red trace</source>
        <translation>Spannung 2, die rote Kurve</translation>
    </message>
    <message>
        <source>Link quality, the green trace</source>
        <translation>Verbindungsqualität, die grüne Kurve</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>Raw value</source>
        <translation>Rohwert</translation>
    </message>
    <message>
        <source>reads</source>
        <extracomment>Between two fields: raw value [120] reads [4.6], in the user&apos;s unit</extracomment>
        <translation>ergibt</translation>
    </message>
    <message>
        <source>Decimals</source>
        <translation>Nachkommastellen</translation>
    </message>
    <message>
        <source>name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>unit</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>first raw value</source>
        <translation>erster Rohwert</translation>
    </message>
    <message>
        <source>what the first raw value reads</source>
        <translation>was der erste Rohwert ergibt</translation>
    </message>
    <message>
        <source>second raw value</source>
        <translation>zweiter Rohwert</translation>
    </message>
    <message>
        <source>what the second raw value reads</source>
        <translation>was der zweite Rohwert ergibt</translation>
    </message>
    <message>
        <source>decimals</source>
        <translation>Nachkommastellen</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Kanäle</translation>
    </message>
    <message>
        <source>Raw values</source>
        <translation>Rohwerte</translation>
    </message>
    <message>
        <source>%1: raw values</source>
        <translation>%1: Rohwerte</translation>
    </message>
    <message>
        <source>Show this channel&apos;s raw bytes again, as the module sends them</source>
        <translation>Die Rohbytes dieses Kanals wieder so anzeigen, wie das Modul sie sendet</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>a whole number of decimals is needed</source>
        <translation>eine ganze Zahl von Nachkommastellen ist nötig</translation>
    </message>
    <message>
        <source>a whole number from 0 to 255 is needed</source>
        <translation>eine ganze Zahl von 0 bis 255 ist nötig</translation>
    </message>
    <message>
        <source>a number is needed</source>
        <translation>eine Zahl ist nötig</translation>
    </message>
    <message>
        <source>No report yet</source>
        <translation>Noch keine Messung</translation>
    </message>
    <message>
        <source>Newest report: %1</source>
        <translation>Neueste Messung: %1</translation>
    </message>
    <message>
        <source>Newest report: %1 reads %2</source>
        <translation>Neueste Messung: %1 ergibt %2</translation>
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
        <translation>Serieller Port</translation>
    </message>
    <message>
        <source>No port</source>
        <translation>Kein Port</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>RS232</source>
        <extracomment>The port dialog&apos;s title: the serial line&apos;s standard</extracomment>
        <translation>RS232</translation>
    </message>
    <message>
        <source>Named on the command line</source>
        <translation>Auf der Befehlszeile angegeben</translation>
    </message>
    <message>
        <source>Manufacturer: %1</source>
        <translation>Hersteller: %1</translation>
    </message>
    <message>
        <source>Serial number: %1</source>
        <translation>Seriennummer: %1</translation>
    </message>
    <message>
        <source>No serial port was found. Plug in an adapter and it appears here, or give the device&apos;s path on the command line: duplink /dev/pts/3</source>
        <translation>Es wurde kein serieller Port gefunden. Stecken Sie einen Adapter ein, dann erscheint er hier, oder geben Sie den Pfad des Geräts auf der Befehlszeile an: duplink /dev/pts/3</translation>
    </message>
</context>
<context>
    <name>DataPane</name>
    <message>
        <source>User data</source>
        <translation>Nutzerdaten</translation>
    </message>
    <message>
        <source>One line of hexadecimal bytes for each user-data frame received</source>
        <translation>Eine Zeile Hexadezimal-Bytes für jeden empfangenen Nutzerdaten-Frame</translation>
    </message>
</context>
<context>
    <name>EngineSpeaker</name>
    <message>
        <source>no speech engine works here; the package %1 provides one</source>
        <translation>hier funktioniert keine Sprachausgabe; das Paket %1 bringt eine mit</translation>
    </message>
    <message>
        <source>cannot speak the alarms: %1</source>
        <translation>Alarme können nicht angesagt werden: %1</translation>
    </message>
</context>
<context>
    <name>FlightActions</name>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Öffnen</translation>
    </message>
    <message>
        <source>Show the whole flight in a flight history window</source>
        <translation>Den ganzen Flug in einem Fenster des Flugverlaufs zeigen</translation>
    </message>
    <message>
        <source>&amp;Note...</source>
        <translation>&amp;Notiz...</translation>
    </message>
    <message>
        <source>Write a note on the flight</source>
        <translation>Eine Notiz zum Flug schreiben</translation>
    </message>
    <message>
        <source>&amp;Pin</source>
        <translation>An&amp;heften</translation>
    </message>
    <message>
        <source>Keep the flight whatever room the flights take</source>
        <translation>Den Flug behalten, wie viel Platz die Flüge auch brauchen</translation>
    </message>
    <message>
        <source>&amp;Export CSV...</source>
        <translation>Als CSV &amp;exportieren...</translation>
    </message>
    <message>
        <source>Write the flight&apos;s reports to a CSV file</source>
        <translation>Die Messungen des Flugs in eine CSV-Datei schreiben</translation>
    </message>
    <message>
        <source>&amp;Show file</source>
        <translation>Datei &amp;zeigen</translation>
    </message>
    <message>
        <source>Open the folder that holds the flights&apos; files</source>
        <translation>Den Ordner mit den Dateien der Flüge öffnen</translation>
    </message>
    <message>
        <source>&amp;Delete...</source>
        <translation>&amp;Löschen...</translation>
    </message>
    <message>
        <source>Move the flight&apos;s file to the trash</source>
        <translation>Die Datei des Flugs in den Papierkorb verschieben</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>%1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Flight history: %1</source>
        <extracomment>The title of a flight&apos;s history window opened from the Flights window: its start</extracomment>
        <translation>Flugverlauf: %1</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Notiz</translation>
    </message>
    <message>
        <source>Note on the flight of %1:</source>
        <translation>Notiz zum Flug vom %1:</translation>
    </message>
    <message>
        <source>Cannot read %1</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Als CSV exportieren</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>Exported to %1</source>
        <translation>Nach %1 exportiert</translation>
    </message>
    <message>
        <source>Cannot open the folder %1</source>
        <translation>Der Ordner %1 kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Delete flight</source>
        <translation>Flug löschen</translation>
    </message>
    <message>
        <source>Move the flight of %1 (%2) to the trash?</source>
        <translation>Den Flug vom %1 (%2) in den Papierkorb verschieben?</translation>
    </message>
    <message>
        <source>Moved %1 to the trash</source>
        <translation>%1 in den Papierkorb verschoben</translation>
    </message>
    <message>
        <source>Cannot keep the note: the logbook&apos;s index cannot be written</source>
        <translation>Die Notiz kann nicht behalten werden: Der Index des Flugbuchs ist nicht beschreibbar</translation>
    </message>
    <message>
        <source>Cannot keep the pin: the logbook&apos;s index cannot be written</source>
        <translation>Das Anheften kann nicht behalten werden: Der Index des Flugbuchs ist nicht beschreibbar</translation>
    </message>
</context>
<context>
    <name>FlightKeeper</name>
    <message>
        <source>Logbook off for this run: %1</source>
        <translation>Flugbuch für diesen Lauf aus: %1</translation>
    </message>
    <message>
        <source>Logbook off for this run: cannot write in %1</source>
        <translation>Flugbuch für diesen Lauf aus: in %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Logbook off for this run: too many flights start this second</source>
        <translation>Flugbuch für diesen Lauf aus: zu viele Flüge beginnen in dieser Sekunde</translation>
    </message>
    <message>
        <source>Logbook stopped: %1. The flight is kept as far as it was written; flights are kept again from the next start.</source>
        <translation>Flugbuch angehalten: %1. Der Flug bleibt, so weit er geschrieben wurde; Flüge werden ab dem nächsten Start wieder behalten.</translation>
    </message>
</context>
<context>
    <name>FlightRecord</name>
    <message>
        <source>in progress</source>
        <translation>läuft</translation>
    </message>
    <message>
        <source>window closed</source>
        <extracomment>How a flight ended: the main window was closed</extracomment>
        <translation>Fenster geschlossen</translation>
    </message>
    <message>
        <source>no reports for a minute</source>
        <extracomment>How a flight ended: no report came for a minute</extracomment>
        <translation>eine Minute ohne Messung</translation>
    </message>
    <message>
        <source>link lost for a minute</source>
        <extracomment>How a flight ended: the serial link stayed lost for a minute</extracomment>
        <translation>Verbindung eine Minute verloren</translation>
    </message>
    <message>
        <source>could not be written further</source>
        <extracomment>How a flight ended: its file could not be written on (a full disk)</extracomment>
        <translation>nicht weiter schreibbar</translation>
    </message>
    <message>
        <source>ended unexpectedly</source>
        <extracomment>How a flight ended: the program stopped without closing its file (a crash)</extracomment>
        <translation>unerwartet beendet</translation>
    </message>
    <message>
        <source>damaged</source>
        <extracomment>A file in the flights folder that is not a flight&apos;s capture, or is damaged</extracomment>
        <translation>beschädigt</translation>
    </message>
</context>
<context>
    <name>FlightsModel</name>
    <message>
        <source>%1 is not a flight&apos;s capture, or is damaged: it cannot be opened</source>
        <translation>%1 ist kein Mitschnitt eines Flugs oder beschädigt: er kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>pinned</source>
        <extracomment>In the Flights table&apos;s Pinned column: the flight is kept from deletion</extracomment>
        <translation>angeheftet</translation>
    </message>
    <message>
        <source>alarm %1: %2</source>
        <translation>Alarm %1: %2</translation>
    </message>
    <message>
        <source>none</source>
        <extracomment>The Flights table&apos;s Alarms column when no alarm tripped</extracomment>
        <translation>keiner</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Start</source>
        <extracomment>A Flights table column: the time of day the flight started</extracomment>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>Reports</source>
        <translation>Messungen</translation>
    </message>
    <message>
        <source>Alarms</source>
        <extracomment>A Flights table column: how often each alarm row tripped</extracomment>
        <translation>Alarme</translation>
    </message>
    <message>
        <source>Lost links</source>
        <translation>Verbindungsverluste</translation>
    </message>
    <message>
        <source>Ended</source>
        <extracomment>A Flights table column: how the flight ended</extracomment>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Pinned</source>
        <translation>Angeheftet</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Notiz</translation>
    </message>
    <message>
        <source>%1
lowest</source>
        <extracomment>A Flights table column: a channel&apos;s lowest value in the flight</extracomment>
        <translation>%1
Tiefstwert</translation>
    </message>
    <message>
        <source>%1
highest</source>
        <extracomment>A Flights table column: a channel&apos;s highest value</extracomment>
        <translation>%1
Höchstwert</translation>
    </message>
</context>
<context>
    <name>FlightsWindow</name>
    <message>
        <source>Flights</source>
        <translation>Flüge</translation>
    </message>
    <message>
        <source>&amp;Filter:</source>
        <extracomment>The label of the Flights window&apos;s filter box</extracomment>
        <translation>&amp;Filter:</translation>
    </message>
    <message>
        <source>Filter flights</source>
        <translation>Flüge filtern</translation>
    </message>
    <message>
        <source>Shows only the flights whose row holds this text</source>
        <translation>Zeigt nur die Flüge, deren Zeile diesen Text enthält</translation>
    </message>
    <message>
        <source>A row per flight, newest first. Enter opens the flight in a flight history window, Delete moves it to the trash.</source>
        <translation>Eine Zeile pro Flug, der neueste zuerst. Eingabe öffnet den Flug in einem Fenster des Flugverlaufs, Entf verschiebt ihn in den Papierkorb.</translation>
    </message>
    <message>
        <source>Reading the flights&apos; files into the logbook&apos;s index...</source>
        <translation>Die Dateien der Flüge werden in den Index des Flugbuchs gelesen...</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>1 flight</source>
        <translation>1 Flug</translation>
    </message>
    <message>
        <source>%1 flights</source>
        <translation>%1 Flüge</translation>
    </message>
    <message>
        <source>%1, %2 of %3 MB, in %4</source>
        <extracomment>Under the Flights table: &quot;12 flights&quot;, the room they take (&quot;1.2 MB&quot;) and may take, and their folder</extracomment>
        <translation>%1, %2 von %3 MB, in %4</translation>
    </message>
    <message>
        <source>Clear the filter</source>
        <translation>Filter leeren</translation>
    </message>
</context>
<context>
    <name>GraphExport</name>
    <message>
        <source>Save graph as image...</source>
        <translation>Diagramm als Bild speichern...</translation>
    </message>
    <message>
        <source>Copy graph</source>
        <translation>Diagramm kopieren</translation>
    </message>
    <message>
        <source>Cannot save %1: %2</source>
        <translation>%1 kann nicht gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Save graph as image</source>
        <translation>Diagramm als Bild speichern</translation>
    </message>
    <message>
        <source>PNG images (*.png)</source>
        <translation>PNG-Bilder (*.png)</translation>
    </message>
</context>
<context>
    <name>GraphOverlays</name>
    <message>
        <source>Paused</source>
        <translation>Angehalten</translation>
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
        <translation>Flugverlauf...</translation>
    </message>
</context>
<context>
    <name>HistoryDrawing</name>
    <message>
        <source>link lost</source>
        <extracomment>In the flight history&apos;s legend, beside the shading of a lost link</extracomment>
        <translation>Verbindung verloren</translation>
    </message>
    <message>
        <source>alarm tripped</source>
        <extracomment>In the flight history&apos;s legend, beside a filled triangle</extracomment>
        <translation>Alarm ausgelöst</translation>
    </message>
    <message>
        <source>cleared</source>
        <extracomment>In the flight history&apos;s legend, beside a hollow triangle: an alarm that cleared</extracomment>
        <translation>aufgehoben</translation>
    </message>
</context>
<context>
    <name>HistoryExport</name>
    <message>
        <source>Export CSV...</source>
        <translation>Als CSV exportieren...</translation>
    </message>
    <message>
        <source>Cannot export to %1: %2</source>
        <translation>Export nach %1 nicht möglich: %2</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Als CSV exportieren</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
</context>
<context>
    <name>HistoryPlot</name>
    <message>
        <source>Whole flight</source>
        <translation>Ganzer Flug</translation>
    </message>
    <message>
        <source>Follow the newest report</source>
        <translation>Der neuesten Messung folgen</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>No reports yet</source>
        <translation>Noch keine Messungen</translation>
    </message>
    <message>
        <source>Time: %1 (%2)</source>
        <extracomment>The readout of a report: its time since the first report, then by the clock</extracomment>
        <translation>Zeit: %1 (%2)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Link lost since %1</source>
        <translation>Verbindung verloren seit %1</translation>
    </message>
    <message>
        <source>Link lost from %1 to %2</source>
        <translation>Verbindung verloren von %1 bis %2</translation>
    </message>
    <message>
        <source>Alarm %1 tripped at %2</source>
        <translation>Alarm %1 ausgelöst bei %2</translation>
    </message>
    <message>
        <source>Alarm %1 cleared at %2</source>
        <translation>Alarm %1 aufgehoben bei %2</translation>
    </message>
</context>
<context>
    <name>HistoryWindow</name>
    <message>
        <source>Flight history</source>
        <translation>Flugverlauf</translation>
    </message>
    <message>
        <source>Flight history plot</source>
        <translation>Diagramm des Flugverlaufs</translation>
    </message>
    <message>
        <source>Every report since the start: voltage 1 in blue, voltage 2 in red, link quality in green, against the time since the first report</source>
        <translation>Jede Messung seit dem Start: Spannung 1 blau, Spannung 2 rot, Verbindungsqualität grün, über der Zeit seit der ersten Messung</translation>
    </message>
    <message>
        <source>Link quality: min 00.00 %, max 00.00 %, mean 00.00 %, newest 00.00 %.</source>
        <extracomment>Never shown: the widest line of figures likely, which sizes the label</extracomment>
        <translation>Verbindungsqualität: min. 00.00 %, max. 00.00 %, Mittel 00.00 %, zuletzt 00.00 %.</translation>
    </message>
    <message>
        <source>Save as image...</source>
        <translation>Als Bild speichern...</translation>
    </message>
    <message>
        <source>No reports yet.</source>
        <translation>Noch keine Messungen.</translation>
    </message>
    <message>
        <source>1 report</source>
        <extracomment>The number of reports in the time shown, at the end of the line before each channel&apos;s figures</extracomment>
        <translation>1 Messung</translation>
    </message>
    <message>
        <source>%1 reports</source>
        <translation>%1 Messungen</translation>
    </message>
    <message>
        <source>%1 to %2 since the first report, %3</source>
        <translation>%1 bis %2 seit der ersten Messung, %3</translation>
    </message>
    <message>
        <source>%1: min %2, max %3, mean %4, newest %5</source>
        <translation>%1: min. %2, max. %3, Mittel %4, zuletzt %5</translation>
    </message>
    <message>
        <source>Holds the reports from %1 (%2) on: the oldest were dropped to keep within %3 reports.</source>
        <translation>Enthält die Messungen ab %1 (%2): die ältesten wurden verworfen, um bei höchstens %3 Messungen zu bleiben.</translation>
    </message>
</context>
<context>
    <name>Logbook</name>
    <message>
        <source>the folder cannot be made</source>
        <translation>der Ordner kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>Logbook off for this run: cannot write in %1 (%2). The setting logbook/folder names another folder.</source>
        <translation>Flugbuch für diesen Lauf aus: in %1 kann nicht geschrieben werden (%2). Die Einstellung logbook/folder nennt einen anderen Ordner.</translation>
    </message>
    <message>
        <source>%1 is still being written</source>
        <translation>%1 wird noch geschrieben</translation>
    </message>
    <message>
        <source>Cannot move %1 to the trash: %2</source>
        <translation>%1 kann nicht in den Papierkorb verschoben werden: %2</translation>
    </message>
    <message>
        <source>Logbook: deleted the oldest flight to keep within %1 MB (logbook/maxMegabytes)</source>
        <translation>Flugbuch: der älteste Flug wurde gelöscht, um unter %1 MB zu bleiben (logbook/maxMegabytes)</translation>
    </message>
    <message>
        <source>Logbook: deleted the %1 oldest flights to keep within %2 MB (logbook/maxMegabytes)</source>
        <translation>Flugbuch: die %1 ältesten Flüge wurden gelöscht, um unter %2 MB zu bleiben (logbook/maxMegabytes)</translation>
    </message>
</context>
<context>
    <name>LogbookControl</name>
    <message>
        <source>Flights...</source>
        <translation>Flüge...</translation>
    </message>
</context>
<context>
    <name>LogbookIndex</name>
    <message>
        <source>The logbook&apos;s index %1 was damaged; it is kept as %2 and made anew from the flights&apos; files</source>
        <translation>Der Index des Flugbuchs %1 war beschädigt; er bleibt als %2 erhalten und wird aus den Dateien der Flüge neu angelegt</translation>
    </message>
    <message>
        <source>Cannot use the logbook&apos;s index %1: its list is made from the files for this run</source>
        <translation>Der Index des Flugbuchs %1 ist nicht nutzbar: die Liste wird für diesen Lauf aus den Dateien erstellt</translation>
    </message>
    <message>
        <source>Cannot use the logbook&apos;s index %1 (%2): its list is made from the files for this run</source>
        <translation>Der Index des Flugbuchs %1 ist nicht nutzbar (%2): die Liste wird für diesen Lauf aus den Dateien erstellt</translation>
    </message>
    <message>
        <source>The logbook&apos;s index: %1</source>
        <translation>Index des Flugbuchs: %1</translation>
    </message>
</context>
<context>
    <name>LogbookSettings</name>
    <message>
        <source>Setting %1 is not usable: a whole number from %2 to %3 is needed. %4 is used</source>
        <translation>Die Einstellung %1 ist unbrauchbar: eine ganze Zahl von %2 bis %3 wird gebraucht. %4 wird verwendet</translation>
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
        <translation>Pseudo-Terminal kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>cannot make the pseudo-terminal non-blocking</source>
        <translation>Pseudo-Terminal kann nicht auf nicht blockierend gestellt werden</translation>
    </message>
    <message>
        <source>cannot unlock the pseudo-terminal</source>
        <translation>Pseudo-Terminal kann nicht entsperrt werden</translation>
    </message>
    <message>
        <source>cannot name the pseudo-terminal</source>
        <translation>Name des Pseudo-Terminals kann nicht ermittelt werden</translation>
    </message>
    <message>
        <source>cannot open %1</source>
        <translation>%1 kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>cannot set %1 raw</source>
        <translation>%1 kann nicht in den Rohmodus gesetzt werden</translation>
    </message>
    <message>
        <source>%1 is not a serial device</source>
        <translation>%1 ist kein serielles Gerät</translation>
    </message>
    <message>
        <source>cannot configure %1</source>
        <translation>%1 kann nicht eingerichtet werden</translation>
    </message>
    <message>
        <source>%1 exists and is not a symbolic link</source>
        <translation>%1 existiert und ist keine symbolische Verknüpfung</translation>
    </message>
    <message>
        <source>cannot replace %1</source>
        <translation>%1 kann nicht ersetzt werden</translation>
    </message>
    <message>
        <source>cannot create %1</source>
        <translation>%1 kann nicht angelegt werden</translation>
    </message>
</context>
<context>
    <name>MqttClient</name>
    <message>
        <source>Cannot reach %1: the host name is not known (%2)</source>
        <translation>%1 nicht erreichbar: der Hostname ist unbekannt (%2)</translation>
    </message>
    <message>
        <source>Cannot reach %1: nothing answers on that port (connection refused); is the broker running?</source>
        <translation>%1 nicht erreichbar: an diesem Port antwortet nichts (Verbindung abgelehnt); läuft der Broker?</translation>
    </message>
    <message>
        <source>Cannot reach %1: no answer</source>
        <translation>%1 nicht erreichbar: keine Antwort</translation>
    </message>
    <message>
        <source>Cannot reach %1: no route to it (%2)</source>
        <translation>%1 nicht erreichbar: kein Weg dorthin (%2)</translation>
    </message>
    <message>
        <source>Refused the certificate of %1: it is not signed by a trusted authority, or names another host (%2)</source>
        <translation>Zertifikat von %1 abgelehnt: es ist nicht von einer vertrauenswürdigen Stelle signiert oder nennt einen anderen Host (%2)</translation>
    </message>
    <message>
        <source>No secure connection to %1 (%2)</source>
        <translation>Keine sichere Verbindung zu %1 (%2)</translation>
    </message>
    <message>
        <source>Cannot read the CA file %1</source>
        <translation>Die CA-Datei %1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>%1 refused the user name or password</source>
        <translation>%1 hat Benutzername oder Passwort abgelehnt</translation>
    </message>
    <message>
        <source>%1 refused the connection: not authorized (a user name and password may be needed)</source>
        <translation>%1 hat die Verbindung abgelehnt: nicht berechtigt (eventuell werden Benutzername und Passwort gebraucht)</translation>
    </message>
    <message>
        <source>%1 refused: %2</source>
        <translation>%1 hat abgelehnt: %2</translation>
    </message>
    <message>
        <source>Lost the connection to %1 (%2)</source>
        <translation>Verbindung zu %1 verloren (%2)</translation>
    </message>
    <message>
        <source>Cannot reach %1: %2</source>
        <translation>%1 nicht erreichbar: %2</translation>
    </message>
</context>
<context>
    <name>RawCapture</name>
    <message>
        <source>cannot write %1: %2</source>
        <translation>Schreiben in %1 fehlgeschlagen: %2</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>Lesen von %1 fehlgeschlagen: %2</translation>
    </message>
    <message>
        <source>%1 is not a raw capture (made by duplink-record --raw)</source>
        <translation>%1 ist kein Rohmitschnitt (wie ihn duplink-record --raw anlegt)</translation>
    </message>
    <message>
        <source>%1: damaged record at byte %2</source>
        <translation>%1: beschädigter Eintrag bei Byte %2</translation>
    </message>
    <message>
        <source>%1: truncated record at byte %2</source>
        <translation>%1: abgeschnittener Eintrag bei Byte %2</translation>
    </message>
</context>
<context>
    <name>RecordWriter</name>
    <message>
        <source>standard output</source>
        <translation>die Standardausgabe</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <extracomment>%1 is a file&apos;s name or &quot;standard output&quot;</extracomment>
        <translation>Schreiben in %1 fehlgeschlagen: %2</translation>
    </message>
</context>
<context>
    <name>Recorder</name>
    <message>
        <source>%1 is not a serial device</source>
        <translation>%1 ist kein serielles Gerät</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>%1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>%1; retrying every second</source>
        <extracomment>%1 says why the device cannot be opened</extracomment>
        <translation>%1; neuer Versuch jede Sekunde</translation>
    </message>
    <message>
        <source>Request not sent: %1</source>
        <translation>Anfrage nicht gesendet: %1</translation>
    </message>
</context>
<context>
    <name>RecorderCommandLine</name>
    <message>
        <source>Records the frames of the telemetry module of the radio-control link. Opens the device at 9600 8N1, asks the module for its alarm settings and writes one line per frame: CSV under a header naming the columns timestamp, kind, volt1, volt2, linkq, linkql, alarm, value, comparison, level and data, each row filling the columns of its kind (volts, threshold or data); or with --json one JSON object per line. Timestamps are UTC, ISO 8601 with milliseconds; alarm is 0 to 3 for alarms 1 to 4; data is the user-data bytes in hex. A lost device is reopened once a second. Stops on Ctrl+C, SIGTERM, or at the limits.</source>
        <extracomment>The column names, &quot;volts&quot;, &quot;threshold&quot;, &quot;data&quot; and the formats&apos; names are written as they are in every language.</extracomment>
        <translation>Zeichnet die Frames des Telemetriemoduls der RC-Funkstrecke auf. Öffnet das Gerät mit 9600 8N1, fragt das Modul nach seinen Alarmeinstellungen und schreibt eine Zeile pro Frame: CSV unter einer Kopfzeile mit den Spalten timestamp, kind, volt1, volt2, linkq, linkql, alarm, value, comparison, level und data, wobei jede Zeile die Spalten ihrer Art (volts, threshold oder data) füllt; oder mit --json ein JSON-Objekt pro Zeile. Zeitstempel sind UTC, ISO 8601 mit Millisekunden; alarm ist 0 bis 3 für die Alarme 1 bis 4; data sind die Nutzerdaten-Bytes in Hexadezimal. Ein verlorenes Gerät wird jede Sekunde neu geöffnet. Endet bei Strg+C, SIGTERM oder an den Grenzen.</translation>
    </message>
    <message>
        <source>Serial device, such as ttyUSB0, /dev/pts/3 or /dev/serial/by-id/...</source>
        <translation>Serielles Gerät, etwa ttyUSB0, /dev/pts/3 oder /dev/serial/by-id/...</translation>
    </message>
    <message>
        <source>Write the lines to this file (replaced) instead of standard output.</source>
        <translation>Die Zeilen in diese Datei (die ersetzt wird) statt in die Standardausgabe schreiben.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Write JSON Lines instead of CSV.</source>
        <translation>JSON Lines statt CSV schreiben.</translation>
    </message>
    <message>
        <source>Also keep the bytes received, with the time of each read, in this file (replaced), for duplink-sim --replay.</source>
        <translation>Die empfangenen Bytes mit der Zeit jedes Lesevorgangs zusätzlich in dieser Datei festhalten (die ersetzt wird), für duplink-sim --replay.</translation>
    </message>
    <message>
        <source>Stop after this many seconds.</source>
        <translation>Nach so vielen Sekunden aufhören.</translation>
    </message>
    <message>
        <source>Stop after this many frames of any kind.</source>
        <translation>Nach so vielen Frames beliebiger Art aufhören.</translation>
    </message>
    <message>
        <source>Fail at once if the device cannot be opened at start, instead of waiting for it.</source>
        <translation>Sofort mit einem Fehler enden, wenn sich das Gerät beim Start nicht öffnen lässt, statt darauf zu warten.</translation>
    </message>
    <message>
        <source>cannot watch for signals</source>
        <translation>Signale können nicht überwacht werden</translation>
    </message>
</context>
<context>
    <name>RecordingControl</name>
    <message>
        <source>Record to file...</source>
        <translation>In Datei aufzeichnen...</translation>
    </message>
    <message>
        <source>Stop recording</source>
        <translation>Aufzeichnung beenden</translation>
    </message>
    <message>
        <source>Record to file</source>
        <translation>In Datei aufzeichnen</translation>
    </message>
    <message>
        <source>CSV (*.csv);;JSON Lines (*.jsonl);;Raw capture (*.raw)</source>
        <extracomment>The file dialog&apos;s filters: &quot;;;&quot; between them, each pattern in brackets</extracomment>
        <translation>CSV (*.csv);;JSON Lines (*.jsonl);;Rohmitschnitt (*.raw)</translation>
    </message>
    <message>
        <source>Cannot record: %1</source>
        <translation>Aufzeichnung nicht möglich: %1</translation>
    </message>
    <message>
        <source>nothing to record yet</source>
        <translation>noch nichts aufzuzeichnen</translation>
    </message>
    <message>
        <source>Recording to %1</source>
        <translation>Aufzeichnung in %1</translation>
    </message>
    <message>
        <source>Recording stopped: %1</source>
        <translation>Aufzeichnung beendet: %1</translation>
    </message>
</context>
<context>
    <name>RenderArea</name>
    <message>
        <source>Show alarm thresholds</source>
        <translation>Alarmschwellwerte anzeigen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Newest report: %1</source>
        <translation>Neueste Messung: %1</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Angehalten</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Aufzeichnung läuft</translation>
    </message>
    <message>
        <source>No report in this slot yet</source>
        <translation>Noch keine Messung an dieser Stelle</translation>
    </message>
    <message>
        <source>Reports ago: %1</source>
        <translation>Messungen zurück: %1</translation>
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
        <translation>der Port ist nicht geöffnet</translation>
    </message>
</context>
<context>
    <name>SerialLink</name>
    <message>
        <source>%1 belongs to the group %2. To use it, add yourself to that group and log in again: sudo usermod -aG %2 $USER</source>
        <translation>%1 gehört der Gruppe %2. Um es zu nutzen, treten Sie dieser Gruppe bei und melden Sie sich neu an: sudo usermod -aG %2 $USER</translation>
    </message>
    <message>
        <source>No serial port was chosen</source>
        <translation>Es wurde kein serieller Port gewählt</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>%1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Link lost: %1 (%2)</source>
        <translation>Verbindung verloren: %1 (%2)</translation>
    </message>
    <message>
        <source>%1 was unplugged or closed</source>
        <translation>%1 wurde abgezogen oder geschlossen</translation>
    </message>
    <message>
        <source>cannot read from %1</source>
        <translation>von %1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>cannot write to %1</source>
        <translation>auf %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation>%1 ist ausgefallen</translation>
    </message>
    <message>
        <source>Link up: %1</source>
        <translation>Verbindung steht: %1</translation>
    </message>
</context>
<context>
    <name>ShareControl</name>
    <message>
        <source>Share over MQTT...</source>
        <translation>Über MQTT teilen...</translation>
    </message>
    <message>
        <source>%1 reports could not wait for %2 and were dropped</source>
        <translation>%1 Berichte konnten nicht auf %2 warten und wurden verworfen</translation>
    </message>
    <message>
        <source>A watched session is not shared again</source>
        <translation>Eine beobachtete Sitzung wird nicht erneut geteilt</translation>
    </message>
    <message>
        <source>The module is on another machine: a watched session sends it nothing</source>
        <extracomment>The tooltip of each Set button while watching a session shared from another computer</extracomment>
        <translation>Das Modul ist an einem anderen Rechner: eine beobachtete Sitzung sendet ihm nichts</translation>
    </message>
    <message>
        <source>The station sharing %1 is online again</source>
        <translation>Die Station, die %1 teilt, ist wieder online</translation>
    </message>
    <message>
        <source>Connected to %1 again</source>
        <translation>Wieder mit %1 verbunden</translation>
    </message>
    <message>
        <source>The station sharing %1 is offline</source>
        <translation>Die Station, die %1 teilt, ist offline</translation>
    </message>
    <message>
        <source>The station sharing %1 is offline since %2</source>
        <translation>Die Station, die %1 teilt, ist seit %2 offline</translation>
    </message>
    <message>
        <source>connected</source>
        <translation>verbunden</translation>
    </message>
    <message>
        <source>connecting</source>
        <translation>verbindet</translation>
    </message>
    <message>
        <source>not connected: %1</source>
        <translation>nicht verbunden: %1</translation>
    </message>
    <message>
        <source>Sharing as %1 on %2: %3</source>
        <translation>Geteilt als %1 auf %2: %3</translation>
    </message>
    <message>
        <source>Watching %1 on %2: %3</source>
        <translation>Beobachtet %1 auf %2: %3</translation>
    </message>
    <message>
        <source>%1 messages that were not a sharer&apos;s dropped</source>
        <translation>%1 Nachrichten verworfen, die nicht von einer teilenden Station stammen</translation>
    </message>
    <message>
        <source>Cannot keep the sharing settings in %1</source>
        <translation>Die Einstellungen zum Teilen können nicht in %1 gespeichert werden</translation>
    </message>
</context>
<context>
    <name>ShareDialog</name>
    <message>
        <source>Share over MQTT</source>
        <translation>Über MQTT teilen</translation>
    </message>
    <message>
        <source>host or host:port</source>
        <translation>Host oder Host:Port</translation>
    </message>
    <message>
        <source>Broker</source>
        <translation>Broker</translation>
    </message>
    <message>
        <source>The MQTT broker&apos;s host name or address, and its port if not the usual</source>
        <translation>Hostname oder Adresse des MQTT-Brokers und sein Port, falls nicht der übliche</translation>
    </message>
    <message>
        <source>Secure connection (TLS)</source>
        <translation>Sichere Verbindung (TLS)</translation>
    </message>
    <message>
        <source>the system&apos;s certificates</source>
        <translation>die Zertifikate des Systems</translation>
    </message>
    <message>
        <source>CA file</source>
        <translation>CA-Datei</translation>
    </message>
    <message>
        <source>The authority that signed the broker&apos;s certificate; empty: the system&apos;s</source>
        <translation>Die Stelle, die das Zertifikat des Brokers signiert hat; leer: die des Systems</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen...</translation>
    </message>
    <message>
        <source>Choose the CA file</source>
        <translation>CA-Datei wählen</translation>
    </message>
    <message>
        <source>field/1</source>
        <translation>field/1</translation>
    </message>
    <message>
        <source>Base topic</source>
        <translation>Basis-Topic</translation>
    </message>
    <message>
        <source>The session&apos;s topics lie under it: report, data, alarms, channels, status</source>
        <translation>Die Topics der Sitzung liegen darunter: report, data, alarms, channels, status</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>Kept in the settings file, which only you can read</source>
        <translation>Wird in der Einstellungsdatei gespeichert, die nur Sie lesen können</translation>
    </message>
    <message>
        <source>Announce the channels with a unit to Home Assistant</source>
        <translation>Kanäle mit Einheit bei Home Assistant anmelden</translation>
    </message>
    <message>
        <source>Share this session</source>
        <translation>Diese Sitzung teilen</translation>
    </message>
    <message>
        <source>Problem</source>
        <translation>Problem</translation>
    </message>
    <message>
        <source>&amp;Broker:</source>
        <translation>&amp;Broker:</translation>
    </message>
    <message>
        <source>&amp;CA file:</source>
        <translation>&amp;CA-Datei:</translation>
    </message>
    <message>
        <source>Base &amp;topic:</source>
        <translation>Basis-&amp;Topic:</translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation>&amp;Benutzername:</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Passwort:</translation>
    </message>
    <message>
        <source>Certificates (*.pem *.crt);;All files (*)</source>
        <translation>Zertifikate (*.pem *.crt);;Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>Simulator</name>
    <message>
        <source>write on %1 failed: %2</source>
        <translation>Schreiben auf %1 fehlgeschlagen: %2</translation>
    </message>
    <message>
        <source>read on %1 failed: %2</source>
        <translation>Lesen von %1 fehlgeschlagen: %2</translation>
    </message>
</context>
<context>
    <name>SimulatorCommandLine</name>
    <message>
        <source>Acts as the telemetry module of the radio-control link on a pseudo-terminal or a serial device. Prints the device to open as its first line, then one line per command received: &apos;request&apos;, or &apos;alarm N value V comparison C level L&apos;.</source>
        <extracomment>&apos;request&apos; and &apos;alarm N value V comparison C level L&apos; are printed as they are in every language.</extracomment>
        <translation>Spielt das Telemetriemodul der RC-Funkstrecke auf einem Pseudo-Terminal oder einem seriellen Gerät. Gibt als erste Zeile das zu öffnende Gerät aus, dann eine Zeile pro empfangenem Befehl: &apos;request&apos; oder &apos;alarm N value V comparison C level L&apos;.</translation>
    </message>
    <message>
        <source>Use this serial device (opened raw, 9600 8N1) instead of a new pseudo-terminal.</source>
        <translation>Dieses serielle Gerät (roh geöffnet, 9600 8N1) statt eines neuen Pseudo-Terminals verwenden.</translation>
    </message>
    <message>
        <source>Also make a symbolic link here pointing to the device, replacing a symbolic link already there; removed at exit.</source>
        <translation>Zusätzlich hier eine symbolische Verknüpfung auf das Gerät anlegen, die eine schon vorhandene symbolische Verknüpfung ersetzt; wird beim Beenden entfernt.</translation>
    </message>
    <message>
        <source>path</source>
        <translation>Pfad</translation>
    </message>
    <message>
        <source>Volts frames per second (default 20, at most 1000).</source>
        <translation>Spannungs-Frames pro Sekunde (Vorgabe 20, höchstens 1000).</translation>
    </message>
    <message>
        <source>Send the volts frames N at a time, in one write, at the same average rate (default 1), as an adapter that buffers does.</source>
        <translation>Die Spannungs-Frames zu je N in einem Schreibvorgang senden, bei gleicher mittlerer Rate (Vorgabe 1), wie es ein puffernder Adapter tut.</translation>
    </message>
    <message>
        <source>Seed of the generated data: the same seed gives the same frames.</source>
        <translation>Startwert der erzeugten Daten: derselbe Startwert ergibt dieselben Frames.</translation>
    </message>
    <message>
        <source>Quit after this many seconds.</source>
        <translation>Nach so vielen Sekunden beenden.</translation>
    </message>
    <message>
        <source>Quit after sending this many volts frames.</source>
        <translation>Nach so vielen gesendeten Spannungs-Frames beenden.</translation>
    </message>
    <message>
        <source>Send as fast as the line takes the bytes, ignoring --rate.</source>
        <translation>So schnell senden, wie die Leitung die Bytes aufnimmt, ohne Rücksicht auf --rate.</translation>
    </message>
    <message>
        <source>Add line noise between frames, split the writes, and send many values that need stuffing.</source>
        <translation>Leitungsrauschen zwischen die Frames legen, die Schreibvorgänge aufteilen und viele Werte senden, die Byte-Stuffing brauchen.</translation>
    </message>
    <message>
        <source>Play back a capture made by duplink-record --raw at its recorded pace instead of generating frames, from the monitor&apos;s first command on (its request when it connects); commands are printed but not answered. Quits at the end of the capture.</source>
        <translation>Einen mit duplink-record --raw angelegten Mitschnitt im aufgezeichneten Tempo wiedergeben, statt Frames zu erzeugen, ab dem ersten Befehl des Monitors (seiner Anfrage beim Verbinden); Befehle werden ausgegeben, aber nicht beantwortet. Endet am Ende des Mitschnitts.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>--replay cannot be combined with --%1</source>
        <translation>--replay lässt sich nicht mit --%1 kombinieren</translation>
    </message>
    <message>
        <source>--rate wants a number of frames per second above 0, at most %1</source>
        <translation>--rate erwartet eine Zahl von Frames pro Sekunde über 0, höchstens %1</translation>
    </message>
    <message>
        <source>--burst wants a whole number from 1 to %1</source>
        <translation>--burst erwartet eine ganze Zahl von 1 bis %1</translation>
    </message>
    <message>
        <source>--seed wants a whole number from 0 to 4294967295</source>
        <translation>--seed erwartet eine ganze Zahl von 0 bis 4294967295</translation>
    </message>
    <message>
        <source>seed %1</source>
        <translation>Startwert %1</translation>
    </message>
    <message>
        <source>cannot watch for signals</source>
        <translation>Signale können nicht überwacht werden</translation>
    </message>
</context>
<context>
    <name>SpeechSpeaker</name>
    <message>
        <source>cannot speak the alarms: %1 (%2)</source>
        <translation>Alarme können nicht angesagt werden: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>ToolCommandLine</name>
    <message>
        <source>path</source>
        <extracomment>The value of a command-line option, as in --device &lt;path&gt;</extracomment>
        <translation>Pfad</translation>
    </message>
    <message>
        <source>device</source>
        <extracomment>The command line&apos;s positional argument, in the help&apos;s usage line and list of arguments</extracomment>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>seconds</source>
        <extracomment>The value of a command-line option, as in --duration &lt;seconds&gt;</extracomment>
        <translation>Sekunden</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>unerwartetes Argument &apos;%1&apos;</translation>
    </message>
    <message>
        <source>no device given</source>
        <translation>kein Gerät angegeben</translation>
    </message>
    <message>
        <source>one device only</source>
        <translation>nur ein Gerät</translation>
    </message>
    <message>
        <source>--duration wants a number of seconds above 0</source>
        <translation>--duration erwartet eine Zahl von Sekunden über 0</translation>
    </message>
    <message>
        <source>--frames wants a whole number above 0</source>
        <translation>--frames erwartet eine ganze Zahl über 0</translation>
    </message>
</context>
<context>
    <name>UsageError</name>
    <message>
        <source>Try &apos;%1 --help&apos; for more information.</source>
        <translation>Weitere Informationen mit &apos;%1 --help&apos;.</translation>
    </message>
</context>
<context>
    <name>WatchParser</name>
    <message>
        <source>%1 bytes, more than a sharer sends</source>
        <translation>%1 Bytes, mehr als eine teilende Station sendet</translation>
    </message>
    <message>
        <source>not JSON (%1)</source>
        <translation>kein JSON (%1)</translation>
    </message>
    <message>
        <source>a report is a JSON object</source>
        <translation>ein Bericht ist ein JSON-Objekt</translation>
    </message>
    <message>
        <source>a report&apos;s &quot;ms&quot; is a whole number of milliseconds</source>
        <translation>&quot;ms&quot; eines Berichts ist eine ganze Zahl von Millisekunden</translation>
    </message>
    <message>
        <source>a report&apos;s &quot;seq&quot; is a whole number from 1</source>
        <translation>&quot;seq&quot; eines Berichts ist eine ganze Zahl ab 1</translation>
    </message>
    <message>
        <source>a report&apos;s &quot;%1&quot; is a whole number from 0 to 255</source>
        <translation>&quot;%1&quot; eines Berichts ist eine ganze Zahl von 0 bis 255</translation>
    </message>
    <message>
        <source>user data is 1 to 6 bytes in hexadecimal, as &quot;0A FF 7E&quot;</source>
        <translation>Benutzerdaten sind 1 bis 6 Bytes hexadezimal, wie &quot;0A FF 7E&quot;</translation>
    </message>
    <message>
        <source>the alarms are a JSON array of four rows</source>
        <translation>die Alarme sind ein JSON-Array aus vier Zeilen</translation>
    </message>
    <message>
        <source>alarm row %1 needs &quot;value&quot;, &quot;comparison&quot; and &quot;level&quot;, each a whole number from 0 to 255</source>
        <translation>Alarmzeile %1 braucht &quot;value&quot;, &quot;comparison&quot; und &quot;level&quot;, jeweils eine ganze Zahl von 0 bis 255</translation>
    </message>
    <message>
        <source>the channels are a JSON object</source>
        <translation>die Kanäle sind ein JSON-Objekt</translation>
    </message>
    <message>
        <source>channel &quot;%1&quot; is not a usable calibration</source>
        <translation>Kanal &quot;%1&quot; ist keine brauchbare Kalibrierung</translation>
    </message>
    <message>
        <source>a status is &quot;online&quot; or &quot;offline&quot;</source>
        <translation>ein Status ist &quot;online&quot; oder &quot;offline&quot;</translation>
    </message>
</context>
<context>
    <name>Watcher</name>
    <message>
        <source>Dropped a message on %1: %2 (%3 dropped so far)</source>
        <translation>Nachricht auf %1 verworfen: %2 (bisher %3 verworfen)</translation>
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
        <translation>Telemetriediagramm</translation>
    </message>
    <message>
        <source>The last 128 reports: voltage 1 in blue, voltage 2 in red, link quality in green</source>
        <translation>Die letzten 128 Messungen: Spannung 1 blau, Spannung 2 rot, Verbindungsqualität grün</translation>
    </message>
    <message>
        <source>Link quality: the average of the last 16 reports and half the average of the second link reading, or the state of the link</source>
        <translation>Verbindungsqualität: der Mittelwert der letzten 16 Messungen und der halbe Mittelwert des zweiten Verbindungswerts, oder der Zustand der Verbindung</translation>
    </message>
    <message>
        <source>Replay over: %1 stops short at byte %2</source>
        <translation>Wiedergabe beendet: %1 bricht bei Byte %2 ab</translation>
    </message>
    <message>
        <source>Replay over: %1</source>
        <translation>Wiedergabe beendet: %1</translation>
    </message>
    <message>
        <source>replay of %1</source>
        <translation>Wiedergabe von %1</translation>
    </message>
    <message>
        <source>recording</source>
        <translation>Aufzeichnung</translation>
    </message>
    <message>
        <source>Torvi Duplink (%1)</source>
        <translation>Torvi Duplink (%1)</translation>
    </message>
    <message>
        <source>Opened through %1, which finds the same adapter again after a replug</source>
        <translation>Geöffnet über %1, das denselben Adapter nach erneutem Einstecken wiederfindet</translation>
    </message>
    <message>
        <source>the port is not open</source>
        <translation>der Port ist nicht geöffnet</translation>
    </message>
    <message>
        <source>Frame not sent: this is a replay of %1, with no module to send it to</source>
        <translation>Frame nicht gesendet: dies ist eine Wiedergabe von %1, ohne Modul als Empfänger</translation>
    </message>
    <message>
        <source>Frame not sent: %1</source>
        <translation>Frame nicht gesendet: %1</translation>
    </message>
    <message>
        <source>watching %1</source>
        <translation>beobachtet %1</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Record the session to this file from the moment the link is up: CSV, JSON Lines (.jsonl) or a raw capture (.raw), by the file&apos;s extension.</source>
        <translation>Die Sitzung ab dem Moment, in dem die Verbindung steht, in diese Datei aufzeichnen: CSV, JSON Lines (.jsonl) oder ein Rohmitschnitt (.raw), je nach Dateiendung.</translation>
    </message>
    <message>
        <source>file</source>
        <extracomment>The value of a command-line option, as in --record &lt;file&gt;</extracomment>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Play a raw capture (made by duplink-record --raw or recorded from the window) at its recorded pace instead of opening a port.</source>
        <translation>Einen Rohmitschnitt (von duplink-record --raw oder aus dem Fenster aufgezeichnet) im aufgezeichneten Tempo wiedergeben, statt einen Port zu öffnen.</translation>
    </message>
    <message>
        <source>With --replay: play N times faster (default 1; 0 as fast as possible).</source>
        <translation>Mit --replay: N-mal so schnell wiedergeben (Vorgabe 1; 0 so schnell wie möglich).</translation>
    </message>
    <message>
        <source>Monitor and configure the telemetry module of a radio-control link.</source>
        <translation>Das Telemetriemodul einer RC-Funkstrecke überwachen und einstellen.</translation>
    </message>
    <message>
        <source>device</source>
        <extracomment>The command line&apos;s positional argument, in the help&apos;s list of arguments</extracomment>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>Serial device to offer in the port dialog before the ports found on this computer, such as /dev/pts/3 or /dev/serial/by-id/...; the first is chosen.</source>
        <translation>Serielles Gerät, das der Port-Dialog vor den auf diesem Rechner gefundenen Ports anbietet, etwa /dev/pts/3 oder /dev/serial/by-id/...; das erste ist ausgewählt.</translation>
    </message>
    <message>
        <source>[device...]</source>
        <extracomment>The positional arguments in the help&apos;s usage line: any number of devices</extracomment>
        <translation>[Gerät...]</translation>
    </message>
    <message>
        <source>--speed goes with --replay</source>
        <translation>--speed gehört zu --replay</translation>
    </message>
    <message>
        <source>--speed wants a number, 0 or more</source>
        <translation>--speed erwartet eine Zahl, 0 oder mehr</translation>
    </message>
    <message>
        <source>--replay plays a file; name no device with it</source>
        <translation>--replay spielt eine Datei ab; geben Sie dazu kein Gerät an</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>Schreiben in %1 fehlgeschlagen: %2</translation>
    </message>
    <message>
        <source>%1 stops short at byte %2; playing what is whole</source>
        <translation>%1 bricht bei Byte %2 ab; das Vollständige wird abgespielt</translation>
    </message>
    <message>
        <source>Open the flight history window too (Ctrl+H): every report since the start against time; with --replay --speed 0, the whole capture at once.</source>
        <translation>Auch das Fenster des Flugverlaufs öffnen (Strg+H): jede Messung seit dem Start über der Zeit; mit --replay --speed 0 den ganzen Mitschnitt auf einmal.</translation>
    </message>
    <message>
        <source>Open the Flights window alone (Ctrl+L in the main window): the logbook of every flight kept, without a port; closing it ends the program.</source>
        <translation>Nur das Fenster „Flüge“ öffnen (Strg+L im Hauptfenster): das Flugbuch aller behaltenen Flüge, ohne Port; es zu schließen beendet das Programm.</translation>
    </message>
    <message>
        <source>Keep no flight in the logbook during this run.</source>
        <translation>In diesem Lauf keinen Flug im Flugbuch behalten.</translation>
    </message>
    <message>
        <source>Share the session through an MQTT broker under the base topic BASE, whatever the settings say: reports, user data, alarms, channels and status (mqtts:// for TLS; user name, password and CA file from the &quot;Share over MQTT&quot; settings).</source>
        <translation>Die Sitzung über einen MQTT-Broker unter dem Basis-Topic BASE teilen, unabhängig von den Einstellungen: Berichte, Benutzerdaten, Alarme, Kanäle und Status (mqtts:// für TLS; Benutzername, Passwort und CA-Datei aus den Einstellungen &quot;Über MQTT teilen&quot;).</translation>
    </message>
    <message>
        <source>mqtt://HOST[:PORT]/BASE</source>
        <extracomment>The value of --share and --watch: a broker&apos;s address and a base topic</extracomment>
        <translation>mqtt://HOST[:PORT]/BASE</translation>
    </message>
    <message>
        <source>Watch a session another Duplink shares through an MQTT broker, instead of opening a port; nothing is sent to its module.</source>
        <translation>Eine Sitzung beobachten, die ein anderes Duplink über einen MQTT-Broker teilt, statt einen Port zu öffnen; an dessen Modul wird nichts gesendet.</translation>
    </message>
    <message>
        <source>--flights opens the logbook alone; name no device, --replay, --record, --history, --share or --watch with it</source>
        <translation>--flights öffnet nur das Flugbuch; kein Gerät, --replay, --record, --history, --share oder --watch dazu angeben</translation>
    </message>
    <message>
        <source>--watch shows a shared session; name no device, replay or share with it</source>
        <translation>--watch zeigt eine geteilte Sitzung; dazu kein Gerät, kein --replay und kein --share angeben</translation>
    </message>
</context>
</TS>
