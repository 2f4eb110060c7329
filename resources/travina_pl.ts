<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL">
<context>
    <name>BaseFormat</name>
    <message>
        <source>All supported files (*.plt *.dxf *.tap *.svg *.svgz)</source>
        <translation>Wszystkie obsługiwane pliki (*.plt *.dxf *.tap *.svg *.svgz)</translation>
    </message>
    <message>
        <source>HPGL files (*.plt)</source>
        <translation>Pliki HPGL (*.plt)</translation>
    </message>
    <message>
        <source>G-Code (*.tap)</source>
        <translation>G-code (*.tap)</translation>
    </message>
    <message>
        <source>AutoCAD (*.dxf)</source>
        <translation>AutoCAD (*.dxf)</translation>
    </message>
    <message>
        <source>Scalable Vector Graphics (*.svg *.svgz)</source>
        <translation>Grafika wektorowa SVG (*.svg *.svgz)</translation>
    </message>
</context>
<context>
    <name>SettingsClass</name>
    <message>
        <source>Format options</source>
        <translation>Opcje formatów</translation>
    </message>
    <message>
        <source>HPGL</source>
        <translation>HPGL</translation>
    </message>
    <message>
        <source>DXF</source>
        <translation>DXF</translation>
    </message>
    <message>
        <source>Plotter units</source>
        <translation>Jednostki plotera</translation>
    </message>
    <message>
        <source>per inch</source>
        <translation>na cal</translation>
    </message>
    <message>
        <source>Combine overlapping objects of the same color</source>
        <translation>Łącz nakładające się obiekty w tym samym kolorze</translation>
    </message>
    <message>
        <source>Automatic weld</source>
        <translation>Automatyczne spawanie</translation>
    </message>
    <message>
        <source>Spline segments (resolution)</source>
        <translation>Segmenty splajnów (rozdzielczość)</translation>
    </message>
    <message>
        <source>as in file</source>
        <translation>jak w pliku</translation>
    </message>
</context>
<context>
    <name>Travina</name>
    <message>
        <source>Open files</source>
        <translation>Otwórz pliki</translation>
    </message>
    <message>
        <source>Drop files here</source>
        <translation>Upuść pliki tutaj</translation>
    </message>
    <message>
        <source>Import files</source>
        <translation>Importuj pliki</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Usuń</translation>
    </message>
</context>
<context>
    <name>TravinaClass</name>
    <message>
        <source>Travina</source>
        <translation>Travina</translation>
    </message>
    <message>
        <source>Check out our other apps:</source>
        <translation>Poznaj nasze inne programy:</translation>
    </message>
    <message>
        <source>Drag your files here or use &quot;Open files&quot; button:</source>
        <translation>Przeciągnij tu pliki lub kliknij „Otwórz pliki”:</translation>
    </message>
    <message>
        <source>input format options</source>
        <translation>opcje formatów</translation>
    </message>
    <message>
        <source>Choose your settings:</source>
        <translation>Wybierz ustawienia:</translation>
    </message>
    <message>
        <source>Starting G-Codes:</source>
        <translation>G-code na początku:</translation>
    </message>
    <message>
        <source>G-Codes between objects:</source>
        <translation>G-code między obiektami:</translation>
    </message>
    <message>
        <source>Ending G-Codes:</source>
        <translation>G-code na końcu:</translation>
    </message>
    <message>
        <source>Start conversion!</source>
        <translation>Rozpocznij konwersję!</translation>
    </message>
    <message>
        <source>Save in the same location as source file</source>
        <translation>Zapisz w tym samym miejscu co plik źródłowy</translation>
    </message>
    <message>
        <source>Save in:</source>
        <translation>Zapisz w:</translation>
    </message>
    <message>
        <source>%o - full path to file
%p - full path to directory
%d - directory name
%f - filename without extension
%e - file extension</source>
        <translation>%o - pełna ścieżka do pliku
%p - pełna ścieżka do katalogu
%d - nazwa katalogu
%f - nazwa pliku bez rozszerzenia
%e - rozszerzenie pliku</translation>
    </message>
    <message>
        <source>(?)</source>
        <translation>(?)</translation>
    </message>
    <message>
        <source>Note: next time you can just drag &amp;&amp; drop files on program icon for automatic conversion.</source>
        <translation>Wskazówka: następnym razem wystarczy przeciągnąć pliki na ikonę programu, a zostaną od razu przekonwertowane.</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Konwertuj</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Plik</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Język</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Informacje</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Otwórz</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <source>About Travina</source>
        <translation>O programie Travina</translation>
    </message>
    <message>
        <source>F1</source>
        <translation>F1</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Zakończ</translation>
    </message>
</context>
</TS>
