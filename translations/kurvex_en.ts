<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>Chart</name>
    <message>
        <source>Sie ist keine Kurvex-Erfassung: sie enthält keinen vollständigen Datensatz.</source>
        <translation>It is not a Kurvex acquisition: it holds no complete record.</translation>
    </message>
    <message>
        <source>Sie ist keine Kurvex-Erfassung, sondern eine Textdatei.</source>
        <translation>It is not a Kurvex acquisition but a text file.</translation>
    </message>
</context>
<context>
    <name>Closer</name>
    <message>
        <source>Marke A</source>
        <translation>Mark A</translation>
    </message>
    <message>
        <source>Marke B</source>
        <translation>Mark B</translation>
    </message>
    <message>
        <source>Δ Samples</source>
        <translation>Δ Samples</translation>
    </message>
    <message>
        <source>Δ Wert</source>
        <translation>Δ Value</translation>
    </message>
    <message>
        <source>Δ Zeit</source>
        <translation>Δ Time</translation>
    </message>
    <message>
        <source>Steigung pro Sample</source>
        <translation>Slope per sample</translation>
    </message>
    <message>
        <source>Steigung pro s</source>
        <translation>Slope per s</translation>
    </message>
    <message>
        <source>Anzahl</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Mittelwert</source>
        <translation>Mean</translation>
    </message>
    <message>
        <source>Standardabweichung</source>
        <translation>Std. deviation</translation>
    </message>
    <message>
        <source>Spitze-Spitze</source>
        <translation>Peak-to-peak</translation>
    </message>
    <message>
        <source>Marke &amp;A setzen</source>
        <translation>Set mark &amp;A</translation>
    </message>
    <message>
        <source>Marke &amp;B setzen</source>
        <translation>Set mark &amp;B</translation>
    </message>
    <message>
        <source>Marken &amp;entfernen</source>
        <translation>&amp;Remove marks</translation>
    </message>
    <message>
        <source>&amp;Statistik zeigen</source>
        <translation>Show &amp;statistics</translation>
    </message>
    <message>
        <source>&amp;Kopieren</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>Statistik: von A bis B</source>
        <translation>Statistics: A to B</translation>
    </message>
    <message>
        <source>Statistik: sichtbarer Bereich</source>
        <translation>Statistics: visible range</translation>
    </message>
    <message>
        <source>Sample %1</source>
        <translation>Sample %1</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Sample</translation>
    </message>
    <message>
        <source>Wert</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Δ Zeit (s)</source>
        <translation>Δ Time (s)</translation>
    </message>
</context>
<context>
    <name>Csv</name>
    <message>
        <source>Spalte %1</source>
        <translation>Column %1</translation>
    </message>
</context>
<context>
    <name>Curves</name>
    <message>
        <source>links</source>
        <translation>left</translation>
    </message>
    <message>
        <source>rechts</source>
        <translation>right</translation>
    </message>
    <message>
        <source>Kanäle</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>&amp;Kanal</source>
        <translation>&amp;Channel</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;Name</translation>
    </message>
    <message>
        <source>&amp;Einheit</source>
        <translation>&amp;Unit</translation>
    </message>
    <message>
        <source>&amp;Faktor</source>
        <translation>&amp;Factor</translation>
    </message>
    <message>
        <source>leer: Roh-Daten Skalierungsfaktor</source>
        <translation>empty: raw data scale factor</translation>
    </message>
    <message>
        <source>&amp;Offset</source>
        <translation>&amp;Offset</translation>
    </message>
    <message>
        <source>leer: Daten Offset</source>
        <translation>empty: data offset</translation>
    </message>
    <message>
        <source>Fa&amp;rbe</source>
        <translation>Colo&amp;r</translation>
    </message>
    <message>
        <source>An&amp;zeigen</source>
        <translation>&amp;Show</translation>
    </message>
    <message>
        <source>&amp;Y-Achse</source>
        <translation>&amp;Y axis</translation>
    </message>
    <message>
        <source>Ü&amp;bernehmen</source>
        <translation>&amp;Apply</translation>
    </message>
    <message>
        <source>&amp;Schließen</source>
        <translation>C&amp;lose</translation>
    </message>
    <message>
        <source>Rechte Y-Achse</source>
        <translation>Right Y axis</translation>
    </message>
    <message>
        <source>a&amp;utomatisch</source>
        <translation>automat&amp;ic</translation>
    </message>
    <message>
        <source>&amp;von</source>
        <translation>fro&amp;m</translation>
    </message>
    <message>
        <source>b&amp;is</source>
        <translation>&amp;to</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Einheit</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Faktor</source>
        <translation>Factor</translation>
    </message>
    <message>
        <source>Offset</source>
        <translation>Offset</translation>
    </message>
    <message>
        <source>von</source>
        <translation>from</translation>
    </message>
    <message>
        <source>bis</source>
        <translation>to</translation>
    </message>
    <message>
        <source>Legende</source>
        <translation>Legend</translation>
    </message>
    <message>
        <source>&amp;Kanäle…</source>
        <translation>&amp;Channels…</translation>
    </message>
    <message>
        <source>%1 anzeigen</source>
        <translation>Show %1</translation>
    </message>
    <message>
        <source>Kanal %1</source>
        <translation>Channel %1</translation>
    </message>
    <message>
        <source>Übernommen. Faktor, Offset und Einheit gelten ab dem nächsten Start.</source>
        <translation>Applied. Factor, offset and unit take effect from the next Start.</translation>
    </message>
    <message>
        <source>Die rechte Y-Achse kann nur Werte größer als 0 logarithmisch zeigen; sie zeigt Werte bis 0 oder darunter und bleibt linear.</source>
        <translation>The right Y axis can show only values above 0 logarithmically; it shows values of 0 or below and stays linear.</translation>
    </message>
    <message>
        <source>Die rechte Y-Achse braucht einen Bereich, dessen Anfang kleiner als sein Ende ist; sie bleibt, wie sie war.</source>
        <translation>The right Y axis needs a range whose start is below its end; it stays as it was.</translation>
    </message>
    <message>
        <source>Ein Faktor von 0 würde die Kurve flach machen; der Faktor bleibt, wie er war.</source>
        <translation>A factor of 0 would flatten the curve; the factor stays as it was.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; ist keine Zahl; der Kanal bleibt, wie er war.</source>
        <translation>&quot;%1&quot; is not a number; the channel stays as it was.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; darf höchstens %2 Zeichen lang sein; der Kanal bleibt, wie er war.</source>
        <translation>&quot;%1&quot; may be at most %2 characters long; the channel stays as it was.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; ist zu groß; der Kanal bleibt, wie er war.</source>
        <translation>&quot;%1&quot; is too large; the channel stays as it was.</translation>
    </message>
    <message>
        <source>Blau</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Orange</translation>
    </message>
    <message>
        <source>Blaugrün</source>
        <translation>Blue-green</translation>
    </message>
    <message>
        <source>Zinnober</source>
        <translation>Vermilion</translation>
    </message>
    <message>
        <source>Rosa</source>
        <translation>Pink</translation>
    </message>
    <message>
        <source>Himmelblau</source>
        <translation>Sky blue</translation>
    </message>
    <message>
        <source>Schwarz</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>Indigo</source>
        <translation>Indigo</translation>
    </message>
    <message>
        <source>Grün</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>Oliv</source>
        <translation>Olive</translation>
    </message>
    <message>
        <source>Weinrot</source>
        <translation>Wine</translation>
    </message>
    <message>
        <source>Türkis</source>
        <translation>Teal</translation>
    </message>
    <message>
        <source>Altrosa</source>
        <translation>Rose</translation>
    </message>
    <message>
        <source>Purpur</source>
        <translation>Purple</translation>
    </message>
    <message>
        <source>Sand</source>
        <translation>Sand</translation>
    </message>
    <message>
        <source>Hellblau</source>
        <translation>Light blue</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Statusleiste</source>
        <translation>Status bar</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>CSV (Komma, Dezimalpunkt) (*.csv)|*.csv|CSV für Excel (Semikolon, Dezimalkomma) (*.csv)|*.csv</source>
        <translation>CSV (comma, decimal point) (*.csv)|*.csv|CSV for Excel (semicolon, decimal comma) (*.csv)|*.csv</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; konnte nicht gespeichert werden.</source>
        <translation>The file &quot;%1&quot; could not be saved.</translation>
    </message>
    <message>
        <source>PNG-Grafik (*.png)|*.png</source>
        <translation>PNG image (*.png)|*.png</translation>
    </message>
    <message>
        <source>Graphic Files (*.bmp)|*.BMP</source>
        <translation>Graphic Files (*.bmp)|*.BMP</translation>
    </message>
    <message>
        <source>Kurvex Files (*.kvx)|*.KVX</source>
        <translation>Kurvex Files (*.kvx)|*.KVX</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; endet mitten in einem Datensatz.
1 vollständiger Datensatz wurde geladen, der abgeschnittene Rest (%3 Bytes) nicht.</source>
        <translation>The file &quot;%1&quot; ends inside a record.
1 whole record was loaded, the cut-off rest (%3 bytes) was not.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; endet mitten in einem Datensatz.
%2 vollständige Datensätze wurden geladen, der abgeschnittene Rest (%3 Bytes) nicht.</source>
        <translation>The file &quot;%1&quot; ends inside a record.
%2 whole records were loaded, the cut-off rest (%3 bytes) was not.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; existiert bereits.
Soll sie ersetzt werden?</source>
        <translation>The file &quot;%1&quot; already exists.
Do you want to replace it?</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; konnte nicht geladen werden.</source>
        <translation>The file &quot;%1&quot; could not be loaded.</translation>
    </message>
    <message>
        <source>enthält keine Zahl</source>
        <translation>holds no number</translation>
    </message>
    <message>
        <source>enthält eine Zahl außerhalb des Wertebereichs</source>
        <translation>holds a number out of range</translation>
    </message>
    <message>
        <source>enthält keine gültige Zeit</source>
        <translation>holds no valid time</translation>
    </message>
    <message>
        <source>ist unvollständig</source>
        <translation>is incomplete</translation>
    </message>
    <message>
        <source>ist zu lang</source>
        <translation>is too long</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; enthält keine Spalte mit Zahlen und kann nicht als Aufzeichnung geöffnet werden.</source>
        <translation>The file &quot;%1&quot; has no column of numbers and cannot be opened as a recording.</translation>
    </message>
    <message>
        <source>1 Zeile wurde übersprungen</source>
        <translation>1 line was skipped</translation>
    </message>
    <message>
        <source>%1 Zeilen wurden übersprungen</source>
        <translation>%1 lines were skipped</translation>
    </message>
    <message>
        <source>keine geladen</source>
        <translation>none loaded</translation>
    </message>
    <message>
        <source>%1 geladen</source>
        <translation>%1 loaded</translation>
    </message>
    <message>
        <source>Zeile %1 %2; %3, %4.</source>
        <translation>Line %1 %2; %3, %4.</translation>
    </message>
    <message>
        <source>Die angezeigte Aufzeichnung ist bereits als CSV-Datei gespeichert. Als Erfassung (.kvx) lassen sich nur eine Erfassung oder eine geladene Erfassungsdatei speichern.</source>
        <translation>The recording shown is already saved as a CSV file. Only an acquisition or a loaded acquisition file can be saved as an acquisition (.kvx).</translation>
    </message>
    <message>
        <source>Aufzeichnung öffnen</source>
        <translation>Open recording</translation>
    </message>
    <message>
        <source>CSV-Dateien (*.csv)|*.csv;*.CSV|Alle Dateien (*)|*</source>
        <translation>CSV files (*.csv)|*.csv;*.CSV|All files (*)|*</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; konnte nicht gelesen werden.</source>
        <translation>The file &quot;%1&quot; could not be read.</translation>
    </message>
    <message>
        <source>Welche Spalte soll gezeigt werden?</source>
        <translation>Which column should be shown?</translation>
    </message>
    <message>
        <source>&quot;%1&quot; wird gelesen …</source>
        <translation>Reading &quot;%1&quot; …</translation>
    </message>
</context>
<context>
    <name>Info</name>
    <message>
        <source>  Info</source>
        <translation>  Info</translation>
    </message>
    <message>
        <source>Version  0.5</source>
        <translation>Version  0.5</translation>
    </message>
    <message>
        <source>Messwert-Erfassung über die
serielle Schnittstelle

für Linux</source>
        <translation>Data acquisition over the
serial port

for Linux</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>Instrument</name>
    <message>
        <source>gesendet</source>
        <translation>sent</translation>
    </message>
    <message>
        <source>Übertragungsfehler</source>
        <translation>receive error</translation>
    </message>
    <message>
        <source>nach dem Ende der Erfassung</source>
        <translation>after the acquisition ended</translation>
    </message>
    <message>
        <source>keine Zahl</source>
        <translation>no number</translation>
    </message>
    <message>
        <source>Kurve %1</source>
        <translation>Curve %1</translation>
    </message>
    <message>
        <source>%1 (unvollständig)</source>
        <translation>%1 (incomplete)</translation>
    </message>
    <message>
        <source>Der Befehl &quot;%1&quot; enthält die ungültige Escape-Folge %2; er wird nicht gesendet.</source>
        <translation>The command &quot;%1&quot; holds the invalid escape %2; it is not sent.</translation>
    </message>
    <message>
        <source>Der Befehl wird nicht gesendet: %1 KiB warten schon darauf, dass die Leitung sie annimmt.</source>
        <translation>The command is not sent: %1 KiB already wait for the line to take them.</translation>
    </message>
    <message>
        <source>Antwortzeit: –</source>
        <translation>Reply time: –</translation>
    </message>
    <message>
        <source>Antwortzeit: zuletzt %1 · Median %2 · max %3</source>
        <translation>Reply time: last %1 · median %2 · max %3</translation>
    </message>
    <message>
        <source>Senden hängt</source>
        <translation>Send stalled</translation>
    </message>
    <message>
        <source>Senden ist möglich, solange erfasst wird (nach Start).</source>
        <translation>Sending works while acquiring (after Start).</translation>
    </message>
    <message>
        <source>CR LF</source>
        <translation>CR LF</translation>
    </message>
    <message>
        <source>LF</source>
        <translation>LF</translation>
    </message>
    <message>
        <source>CR</source>
        <translation>CR</translation>
    </message>
    <message>
        <source>ohne</source>
        <translation>none</translation>
    </message>
    <message>
        <source>z. B. MEAS? oder \x1B (Escapes \r \n \t \\ \xNN)</source>
        <translation>e.g. MEAS? or \x1B (escapes \r \n \t \\ \xNN)</translation>
    </message>
    <message>
        <source>Monitor</source>
        <translation>Monitor</translation>
    </message>
    <message>
        <source>&amp;Befehl</source>
        <translation>&amp;Cmd</translation>
    </message>
    <message>
        <source>&amp;Zeilenende</source>
        <translation>&amp;Line end</translation>
    </message>
    <message>
        <source>&amp;Senden</source>
        <translation>&amp;Send</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Zeile</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>Ergebnis</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Empfangene und gesendete Zeilen</source>
        <translation>Lines received and sent</translation>
    </message>
    <message>
        <source>&amp;Anhalten</source>
        <translation>&amp;Pause</translation>
    </message>
    <message>
        <source>&amp;Kopieren</source>
        <translation>C&amp;opy</translation>
    </message>
    <message>
        <source>&amp;Leeren</source>
        <translation>Cl&amp;ear</translation>
    </message>
</context>
<context>
    <name>Intake</name>
    <message>
        <source>Gleitkommaüberlauf</source>
        <translation>Floating point overflow</translation>
    </message>
</context>
<context>
    <name>LookBack</name>
    <message>
        <source>Folgen</source>
        <translation>Follow</translation>
    </message>
    <message>
        <source>Verlauf ab Sample %1</source>
        <translation>Kept from sample %1</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Es ist ein Schnittstellenfehler aufgetreten</source>
        <translation>A serial port error occurred</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Kurvex erfasst gerade. Der Messaufbau &quot;%1&quot; wurde nicht geöffnet, und die Einstellungen von der Kommandozeile wurden nicht übernommen.

Zuerst die Erfassung mit Stop beenden, dann Kurvex noch einmal damit aufrufen.</source>
        <translation>Kurvex is acquiring. The setup &quot;%1&quot; was not opened, and the settings from the command line were not applied.

First end the acquisition with Stop, then call Kurvex with them again.</translation>
    </message>
    <message>
        <source>Kurvex erfasst gerade. Die Einstellungen von der Kommandozeile wurden nicht übernommen.

Zuerst die Erfassung mit Stop beenden, dann Kurvex noch einmal damit aufrufen.</source>
        <translation>Kurvex is acquiring. The settings from the command line were not applied.

First end the acquisition with Stop, then call Kurvex with them again.</translation>
    </message>
    <message>
        <source>Keine COM-Nummer führt zum Gerät &quot;%1&quot;: Es fehlt, oder kein Link im Port-Ordner zeigt darauf.

Das Feld COM bleibt bei %2; die Erfassung wurde nicht gestartet.</source>
        <translation>No COM number leads to device &quot;%1&quot;: it is missing or no link in the port folder points to it.

The COM field stays at %2; the acquisition was not started.</translation>
    </message>
    <message>
        <source>Keine COM-Nummer führt zum Gerät &quot;%1&quot;: Es fehlt, oder kein Link im Port-Ordner zeigt darauf.

Das Feld COM bleibt bei %2.</source>
        <translation>No COM number leads to device &quot;%1&quot;: it is missing or no link in the port folder points to it.

The COM field stays at %2.</translation>
    </message>
    <message>
        <source>Keine Kurve heißt &quot;%1&quot;. Die X-Achse bleibt, wie sie ist.</source>
        <translation>No curve is named &quot;%1&quot;. The X axis stays as it is.</translation>
    </message>
    <message>
        <source>&amp;Datei</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Grafik speichern als Bitmap (.bmp)</source>
        <translation>Save graph as &amp;bitmap (.bmp)</translation>
    </message>
    <message>
        <source>Erfassung &amp;speichern</source>
        <translation>&amp;Save acquisition</translation>
    </message>
    <message>
        <source>Erfassung &amp;laden</source>
        <translation>&amp;Load acquisition</translation>
    </message>
    <message>
        <source>Aufzeichnung &amp;öffnen…</source>
        <translation>&amp;Open recording…</translation>
    </message>
    <message>
        <source>Grafik speichern als &amp;PNG…</source>
        <translation>Save graph as &amp;PNG…</translation>
    </message>
    <message>
        <source>Erfassung als &amp;CSV exportieren…</source>
        <translation>Export acquisition as &amp;CSV…</translation>
    </message>
    <message>
        <source>&amp;Aufzeichnungsdatei wählen…</source>
        <translation>Choose &amp;recording file…</translation>
    </message>
    <message>
        <source>&amp;Messaufbau öffnen…</source>
        <translation>Open s&amp;etup…</translation>
    </message>
    <message>
        <source>Messaufbau spe&amp;ichern…</source>
        <translation>Save se&amp;tup…</translation>
    </message>
    <message>
        <source>&amp;Zuletzt verwendete Messaufbauten</source>
        <translation>Rece&amp;nt setups</translation>
    </message>
    <message>
        <source>&amp;Beenden</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>&amp;Gerät</source>
        <translation>&amp;Device</translation>
    </message>
    <message>
        <source>&amp;Monitor…</source>
        <translation>&amp;Monitor…</translation>
    </message>
    <message>
        <source>&amp;Kanäle…</source>
        <translation>&amp;Channels…</translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source> Start</source>
        <translation> Start</translation>
    </message>
    <message>
        <source> Stop</source>
        <translation> Stop</translation>
    </message>
    <message>
        <source> Clear Graph</source>
        <translation> Clear Graph</translation>
    </message>
    <message>
        <source>Reset Axis</source>
        <translation>Reset Axis</translation>
    </message>
    <message>
        <source>Erfassung läuft</source>
        <translation>Acquiring</translation>
    </message>
    <message>
        <source>Normal: max. 2000 Samples/s , max 50.000 Samples</source>
        <translation>Normal: max. 2000 samples/s, max 50,000 samples</translation>
    </message>
    <message>
        <source>Trend: max. 200 Samples/s  beliebig lange</source>
        <translation>Trend: max. 200 samples/s, any length</translation>
    </message>
    <message>
        <source>  Schnittstelle  </source>
        <translation>  Serial Port  </translation>
    </message>
    <message>
        <source>Com Port</source>
        <translation>Com Port</translation>
    </message>
    <message>
        <source> Baudrate</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>Datenformat</source>
        <translation>Data format</translation>
    </message>
    <message>
        <source>Databits = %1</source>
        <translation>Databits = %1</translation>
    </message>
    <message>
        <source>Stopbits = %1</source>
        <translation>Stopbits = %1</translation>
    </message>
    <message>
        <source>Flowcontrol = none</source>
        <translation>Flowcontrol = none</translation>
    </message>
    <message>
        <source>  Graph Parameter </source>
        <translation>  Graph Parameters</translation>
    </message>
    <message>
        <source>Roh-Daten Skalierungsfaktor</source>
        <translation>Raw data scaling factor</translation>
    </message>
    <message>
        <source>Daten Offset (nach Skalierung)</source>
        <translation>Data offset (after scaling)</translation>
    </message>
    <message>
        <source>Graph X max</source>
        <translation>Graph X max</translation>
    </message>
    <message>
        <source>Graph Y max</source>
        <translation>Graph Y max</translation>
    </message>
    <message>
        <source>Graph Y min</source>
        <translation>Graph Y min</translation>
    </message>
    <message>
        <source>Dezimaltrennung = Komma</source>
        <translation>Decimal mark = comma</translation>
    </message>
    <message>
        <source>Dezimaltrennung = Punkt</source>
        <translation>Decimal mark = point</translation>
    </message>
    <message>
        <source>Aktueller Sample-Wert
nach Skalierung und Offset</source>
        <translation>Current sample value
after scaling and offset</translation>
    </message>
    <message>
        <source>Aufzeichnen</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source> Show Grid</source>
        <translation> Show Grid</translation>
    </message>
    <message>
        <source>DoubleTics</source>
        <translation>DoubleTics</translation>
    </message>
    <message>
        <source>Y  Log</source>
        <translation>Y  Log</translation>
    </message>
    <message>
        <source>Trend</source>
        <translation>Trend</translation>
    </message>
    <message>
        <source>Grafik</source>
        <translation>Graph</translation>
    </message>
    <message>
        <source>Sample-Anzahl</source>
        <translation>Sample count</translation>
    </message>
    <message>
        <source>Die logarithmische Y-Achse kann nur Werte größer als 0 zeigen. Graph Y min und Graph Y max müssen größer als 0 sein; die Y-Achse bleibt unverändert.</source>
        <translation>The logarithmic Y axis can only show values greater than 0. Graph Y min and Graph Y max must be greater than 0; the Y axis stays unchanged.</translation>
    </message>
</context>
<context>
    <name>Notices</name>
    <message>
        <source>Ungültige Zeilen: %1</source>
        <translation>Invalid lines: %1</translation>
    </message>
    <message>
        <source>Übertragungsfehler: %1</source>
        <translation>Receive errors: %1</translation>
    </message>
    <message>
        <source>Eingang überlastet</source>
        <translation>Input overloaded</translation>
    </message>
    <message>
        <source>Daten verloren: %1 Überlauf</source>
        <translation>Data lost: %1 overrun</translation>
    </message>
    <message>
        <source>Daten verloren: %1 Überläufe</source>
        <translation>Data lost: %1 overruns</translation>
    </message>
    <message>
        <source>Viele Bytes mit Bit 7 – Datenformat %1?</source>
        <translation>Many bytes with bit 7 – data format %1?</translation>
    </message>
    <message>
        <source>Mehr als %1 Werte je Zeile – weitere ignoriert</source>
        <translation>Over %1 values per line – rest ignored</translation>
    </message>
    <message>
        <source>Keine Zeilenenden – Baudrate und Datenformat prüfen</source>
        <translation>No line ends – check baud rate and data format</translation>
    </message>
    <message>
        <source>Ohne Antwort: %1</source>
        <translation>No answer: %1</translation>
    </message>
    <message>
        <source>Senden hängt</source>
        <translation>Send stalled</translation>
    </message>
</context>
<context>
    <name>NumberField</name>
    <message>
        <source>&apos;%1&apos; ist kein gültiger Gleitkommawert</source>
        <translation>&apos;%1&apos; is not a valid floating point value</translation>
    </message>
</context>
<context>
    <name>Ports</name>
    <message>
        <source>%1: kein Gerät</source>
        <translation>%1: no device</translation>
    </message>
    <message>
        <source>%1: keine Berechtigung – Benutzer zur Gruppe dialout hinzufügen</source>
        <translation>%1: no permission – add the user to group dialout</translation>
    </message>
    <message>
        <source>%1: von einem anderen Programm belegt</source>
        <translation>%1: in use by another program</translation>
    </message>
    <message>
        <source>%1: belegt von %2</source>
        <translation>%1: in use by %2</translation>
    </message>
</context>
<context>
    <name>Recording</name>
    <message>
        <source>Die Aufzeichnungsdatei &quot;%1&quot; konnte nicht angelegt werden.</source>
        <translation>The recording file &quot;%1&quot; could not be created.</translation>
    </message>
    <message>
        <source>Aufzeichnung: </source>
        <translation>Recording: </translation>
    </message>
    <message>
        <source>Aufgezeichnet: </source>
        <translation>Recorded: </translation>
    </message>
    <message>
        <source>Die Aufzeichnung in die Datei &quot;%1&quot; wurde abgebrochen:
%2

Die Erfassung läuft weiter. Die %3 bis dahin geschriebenen Zeilen bleiben erhalten.</source>
        <translation>Recording to the file &quot;%1&quot; was stopped:
%2

The acquisition goes on. The %3 rows written until then are kept.</translation>
    </message>
    <message>
        <source>Die Aufzeichnung in die Datei &quot;%1&quot; wurde abgebrochen:
%2

Die %3 bis dahin geschriebenen Zeilen bleiben erhalten.</source>
        <translation>Recording to the file &quot;%1&quot; was stopped:
%2

The %3 rows written until then are kept.</translation>
    </message>
    <message>
        <source>Die Datei wird langsamer geschrieben, als die Samples ankommen (Puffer für %1 Zeilen voll)</source>
        <translation>The file is written more slowly than the samples arrive (buffer for %1 rows full)</translation>
    </message>
    <message>
        <source>Nächste Aufzeichnung: </source>
        <translation>Next recording: </translation>
    </message>
    <message>
        <source>, %1 Zeilen</source>
        <translation>, %1 rows</translation>
    </message>
    <message>
        <source>Aufzeichnung abgebrochen: </source>
        <translation>Recording stopped: </translation>
    </message>
    <message>
        <source>Geöffnet: </source>
        <translation>Opened: </translation>
    </message>
    <message>
        <source>, %1 Sample</source>
        <translation>, %1 sample</translation>
    </message>
    <message>
        <source>, %1 Samples</source>
        <translation>, %1 samples</translation>
    </message>
</context>
<context>
    <name>Serial</name>
    <message>
        <source>Unbekannter Fehler</source>
        <translation>Unknown error</translation>
    </message>
</context>
<context>
    <name>Setups</name>
    <message>
        <source>Kurvex-Messaufbau (*.kxs)|*.kxs</source>
        <translation>Kurvex setup (*.kxs)|*.kxs</translation>
    </message>
    <message>
        <source>Messaufbau öffnen</source>
        <translation>Open setup</translation>
    </message>
    <message>
        <source>Der Messaufbau &quot;%1&quot; konnte nicht gelesen werden.</source>
        <translation>The setup &quot;%1&quot; could not be read.</translation>
    </message>
    <message>
        <source>Zeile %1</source>
        <translation>Line %1</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; ist unvollständig, sie endet vorzeitig.</source>
        <translation>The file &quot;%1&quot; is incomplete, it ends too early.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; stammt von einer neueren Kurvex-Version.</source>
        <translation>The file &quot;%1&quot; comes from a newer Kurvex version.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; ist kein Kurvex-Messaufbau.</source>
        <translation>The file &quot;%1&quot; is not a Kurvex setup.</translation>
    </message>
    <message>
        <source>Nicht lesbar: %1.</source>
        <translation>Not readable: %1.</translation>
    </message>
    <message>
        <source>Die Einstellungen des Fensters bleiben unverändert.</source>
        <translation>The window&apos;s settings stay unchanged.</translation>
    </message>
    <message>
        <source>Aus dem Messaufbau &quot;%1&quot; wurde nicht alles übernommen:</source>
        <translation>Not everything was taken from the setup &quot;%1&quot;:</translation>
    </message>
    <message>
        <source>%1: ungültiger Wert</source>
        <translation>%1: invalid value</translation>
    </message>
    <message>
        <source>Der Messaufbau &quot;%1&quot; kann nicht geöffnet werden, während eine Erfassung läuft.
Bitte zuerst die Erfassung mit Stop beenden.</source>
        <translation>The setup &quot;%1&quot; cannot be opened while an acquisition runs.
Please first end the acquisition with Stop.</translation>
    </message>
    <message>
        <source>Das Gerät &quot;%1&quot; ist nicht angeschlossen; der Com Port bleibt.</source>
        <translation>The device &quot;%1&quot; is not connected; the Com Port stays.</translation>
    </message>
    <message>
        <source>Das Datenformat %1 bietet Kurvex nicht an; es bleibt %2.</source>
        <translation>Kurvex does not offer the data format %1; it stays %2.</translation>
    </message>
</context>
<context>
    <name>XAxis</name>
    <message>
        <source>&amp;Samples</source>
        <translation>&amp;Samples</translation>
    </message>
    <message>
        <source>Sekunden seit &amp;Start</source>
        <translation>Seconds since s&amp;tart</translation>
    </message>
    <message>
        <source>&amp;Uhrzeit</source>
        <translation>&amp;Clock</translation>
    </message>
    <message>
        <source>&amp;X-Achse</source>
        <translation>&amp;X axis</translation>
    </message>
</context>
</TS>
