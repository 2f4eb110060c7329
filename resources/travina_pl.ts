<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL">
<context>
    <name>About</name>
    <message>
        <source>About Travina</source>
        <translation>O programie Travina</translation>
    </message>
    <message>
        <source>Ostrane Limited</source>
        <translation>Ostrane Limited</translation>
    </message>
    <message>
        <source>Check out our other products:</source>
        <translation>Zobacz nasze inne produkty:</translation>
    </message>
</context>
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
    <name>ConversionJob</name>
    <message>
        <source>file not found</source>
        <translation>nie znaleziono pliku</translation>
    </message>
    <message>
        <source>unsupported file type</source>
        <translation>nieobsługiwany typ pliku</translation>
    </message>
    <message>
        <source>output would replace the input</source>
        <translation>plik wynikowy zastąpiłby plik źródłowy</translation>
    </message>
    <message>
        <source>no drawing could be read</source>
        <translation>nie udało się odczytać rysunku</translation>
    </message>
    <message>
        <source>cannot write output</source>
        <translation>nie można zapisać pliku wynikowego</translation>
    </message>
    <message>
        <source>is a directory</source>
        <translation>to jest katalog</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>brak uprawnień do odczytu</translation>
    </message>
    <message>
        <source>coordinate out of range</source>
        <translation>współrzędna poza zakresem</translation>
    </message>
    <message>
        <source>compressed file inflates past the size limit</source>
        <translation>skompresowany plik po rozpakowaniu przekracza dopuszczalny rozmiar</translation>
    </message>
    <message>
        <source>another input of this run writes the same output</source>
        <translation>inny plik tego przebiegu zapisuje ten sam plik wyjściowy</translation>
    </message>
    <message>
        <source>cannot write preview</source>
        <translation>nie można zapisać podglądu</translation>
    </message>
</context>
<context>
    <name>CrashReporter</name>
    <message>
        <source>Travina has failed to restart itself.</source>
        <translation>Nie udało się ponownie uruchomić programu Travina.</translation>
    </message>
    <message>
        <source>Travina has failed to restart itself. Please do it manually.</source>
        <translation>Nie udało się ponownie uruchomić programu Travina. Uruchom go ręcznie.</translation>
    </message>
    <message>
        <source>The crash report is made of these items. Only the checked ones are sent; select one to see what it holds.</source>
        <translation>Raport o awarii składa się z tych elementów. Wysłane zostaną tylko zaznaczone; wybierz element, aby zobaczyć jego zawartość.</translation>
    </message>
    <message>
        <source>Report details</source>
        <translation>Szczegóły raportu</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nazwa</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wartość</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Rozmiar</translation>
    </message>
    <message>
        <source>B</source>
        <translation>B</translation>
    </message>
    <message>
        <source>KB</source>
        <translation>KB</translation>
    </message>
    <message>
        <source>MB</source>
        <translation>MB</translation>
    </message>
    <message>
        <source>GB</source>
        <translation>GB</translation>
    </message>
    <message>
        <source>TB</source>
        <translation>TB</translation>
    </message>
    <message>
        <source>PB</source>
        <translation>PB</translation>
    </message>
    <message>
        <source>EB</source>
        <translation>EB</translation>
    </message>
    <message>
        <source>ZB</source>
        <translation>ZB</translation>
    </message>
    <message>
        <source>YB</source>
        <translation>YB</translation>
    </message>
</context>
<context>
    <name>CrashReporterClass</name>
    <message>
        <source>Crash reporting</source>
        <translation>Zgłaszanie awarii</translation>
    </message>
    <message>
        <source>&lt;b&gt;Travina&lt;/b&gt; has stopped working</source>
        <translation>Program &lt;b&gt;Travina&lt;/b&gt; przestał działać</translation>
    </message>
    <message>
        <source>There was an error in the application and it can&apos;t stay running any longer.</source>
        <translation>W programie wystąpił błąd i nie może on dłużej działać.</translation>
    </message>
    <message>
        <source>Crash report has been generated and you can send it to our developers. Every submission is treated anonymously and the report doesn&apos;t contain any confidential information.</source>
        <translation>Utworzono raport o awarii, który możesz wysłać naszym programistom. Każde zgłoszenie jest anonimowe, a raport nie zawiera żadnych poufnych informacji.</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Komentarz</translation>
    </message>
    <message>
        <source>Your e-mail address (optional):</source>
        <translation>Twój adres e-mail (opcjonalnie):</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;#&quot; style=&quot;color: #4e4e4e;&quot;&gt;Details...&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;#&quot; style=&quot;color: #4e4e4e;&quot;&gt;Szczegóły...&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;#&quot; style=&quot;color: #4e4e4e;&quot;&gt;Add comment&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;#&quot; style=&quot;color: #4e4e4e;&quot;&gt;Dodaj komentarz&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Send report</source>
        <translation>Wyślij raport</translation>
    </message>
    <message>
        <source>Close application</source>
        <translation>Zamknij program</translation>
    </message>
    <message>
        <source>Restart application</source>
        <translation>Uruchom ponownie</translation>
    </message>
</context>
<context>
    <name>DrawingNotes</name>
    <message>
        <source>not drawn</source>
        <translation>nie narysowano</translation>
    </message>
    <message>
        <source>hidden, not drawn</source>
        <translation>ukryte, nie narysowano</translation>
    </message>
    <message>
        <source>drawn elsewhere than the file places it</source>
        <translation>narysowano w innym miejscu, niż wskazuje plik</translation>
    </message>
    <message>
        <source>drawn as straight lines</source>
        <translation>narysowano jako odcinki proste</translation>
    </message>
    <message>
        <source>skipped</source>
        <translation>pominięto</translation>
    </message>
    <message>
        <source>assumed</source>
        <translation>przyjęto</translation>
    </message>
    <message>
        <source> [option: %1]</source>
        <translation> [opcja: %1]</translation>
    </message>
    <message>
        <source>block with an unreadable base point</source>
        <translation>blok z nieczytelnym punktem bazowym</translation>
    </message>
    <message>
        <source>other blocks</source>
        <translation>inne bloki</translation>
    </message>
    <message>
        <source>entity with an unreadable number</source>
        <translation>obiekt z nieczytelną liczbą</translation>
    </message>
    <message>
        <source>paper space entity</source>
        <translation>obiekt z obszaru papieru</translation>
    </message>
    <message>
        <source>unit inch ($INSUNITS missing)</source>
        <translation>jednostka cal (brak $INSUNITS)</translation>
    </message>
    <message>
        <source>unit inch (before $INSUNITS)</source>
        <translation>jednostka cal (przed $INSUNITS)</translation>
    </message>
    <message>
        <source>unit millimetre ($INSUNITS 0, unitless)</source>
        <translation>jednostka milimetr ($INSUNITS 0, bez jednostki)</translation>
    </message>
    <message>
        <source>unit inch ($INSUNITS unusable)</source>
        <translation>jednostka cal ($INSUNITS nieużyteczne)</translation>
    </message>
    <message>
        <source>incomplete LWPOLYLINE</source>
        <translation>niekompletna LWPOLYLINE</translation>
    </message>
    <message>
        <source>LWPOLYLINE with more vertices than its count</source>
        <translation>LWPOLYLINE z większą liczbą wierzchołków, niż podaje</translation>
    </message>
    <message>
        <source>entities of other kinds</source>
        <translation>obiekty innych rodzajów</translation>
    </message>
    <message>
        <source>VERTEX outside a POLYLINE</source>
        <translation>VERTEX poza POLYLINE</translation>
    </message>
    <message>
        <source>closing segment of a POLYLINE</source>
        <translation>odcinek zamykający POLYLINE</translation>
    </message>
    <message>
        <source>SPLINE of unsupported degree</source>
        <translation>SPLINE nieobsługiwanego stopnia</translation>
    </message>
    <message>
        <source>SPLINE without control points</source>
        <translation>SPLINE bez punktów kontrolnych</translation>
    </message>
    <message>
        <source>incomplete SPLINE</source>
        <translation>niekompletny SPLINE</translation>
    </message>
    <message>
        <source>SPLINE with knots out of order</source>
        <translation>SPLINE z węzłami w złej kolejności</translation>
    </message>
    <message>
        <source>SPLINE with more control points than its count</source>
        <translation>SPLINE z większą liczbą punktów kontrolnych, niż podaje</translation>
    </message>
    <message>
        <source>move in a line not starting with X or Y</source>
        <translation>ruch w wierszu, który nie zaczyna się od X ani Y</translation>
    </message>
    <message>
        <source>line with an unreadable number</source>
        <translation>wiersz z nieczytelną liczbą</translation>
    </message>
    <message>
        <source>line too long to read</source>
        <translation>wiersz zbyt długi do odczytania</translation>
    </message>
    <message>
        <source>unreadable parameter</source>
        <translation>nieczytelny parametr</translation>
    </message>
    <message>
        <source>unpaired coordinate</source>
        <translation>współrzędna bez pary</translation>
    </message>
    <message>
        <source>arc without centre or sweep</source>
        <translation>łuk bez środka lub kąta</translation>
    </message>
    <message>
        <source>instruction that could not be read</source>
        <translation>instrukcja, której nie udało się odczytać</translation>
    </message>
    <message>
        <source>instruction too long to read</source>
        <translation>instrukcja zbyt długa do odczytania</translation>
    </message>
    <message>
        <source>drawn although hidden in the file</source>
        <translation>narysowano, choć plik je ukrywa</translation>
    </message>
    <message>
        <source>path data error</source>
        <translation>błąd w danych ścieżki</translation>
    </message>
    <message>
        <source>rect of zero width</source>
        <translation>prostokąt o zerowej szerokości</translation>
    </message>
    <message>
        <source>rect of zero height</source>
        <translation>prostokąt o zerowej wysokości</translation>
    </message>
    <message>
        <source>rect of negative width</source>
        <translation>prostokąt o ujemnej szerokości</translation>
    </message>
    <message>
        <source>rect of negative height</source>
        <translation>prostokąt o ujemnej wysokości</translation>
    </message>
    <message>
        <source>circle of zero radius</source>
        <translation>okrąg o zerowym promieniu</translation>
    </message>
    <message>
        <source>circle of negative radius</source>
        <translation>okrąg o ujemnym promieniu</translation>
    </message>
    <message>
        <source>ellipse of zero radius</source>
        <translation>elipsa o zerowym promieniu</translation>
    </message>
    <message>
        <source>ellipse of negative radius</source>
        <translation>elipsa o ujemnym promieniu</translation>
    </message>
    <message>
        <source>shape of another namespace</source>
        <translation>kształt z innej przestrzeni nazw</translation>
    </message>
    <message>
        <source>shape inside an element of another namespace</source>
        <translation>kształt wewnątrz elementu z innej przestrzeni nazw</translation>
    </message>
    <message>
        <source>in defs</source>
        <translation>w defs</translation>
    </message>
    <message>
        <source>in symbol</source>
        <translation>w symbol</translation>
    </message>
    <message>
        <source>in clipPath</source>
        <translation>w clipPath</translation>
    </message>
    <message>
        <source>in mask</source>
        <translation>w mask</translation>
    </message>
    <message>
        <source>in marker</source>
        <translation>w marker</translation>
    </message>
    <message>
        <source>in pattern</source>
        <translation>w pattern</translation>
    </message>
    <message>
        <source>inside an element not drawn</source>
        <translation>wewnątrz elementu, który nie jest rysowany</translation>
    </message>
    <message>
        <source>display:none</source>
        <translation>display:none</translation>
    </message>
    <message>
        <source>visibility:hidden</source>
        <translation>visibility:hidden</translation>
    </message>
    <message>
        <source>visibility:collapse</source>
        <translation>visibility:collapse</translation>
    </message>
    <message>
        <source>page width 1 mm (width missing)</source>
        <translation>szerokość strony 1 mm (brak width)</translation>
    </message>
    <message>
        <source>page height 1 mm (height missing)</source>
        <translation>wysokość strony 1 mm (brak height)</translation>
    </message>
    <message>
        <source>user unit 1 mm across (width missing)</source>
        <translation>jednostka użytkownika 1 mm w poziomie (brak width)</translation>
    </message>
    <message>
        <source>user unit 1 mm down (height missing)</source>
        <translation>jednostka użytkownika 1 mm w pionie (brak height)</translation>
    </message>
    <message>
        <source>page width in px (width in %)</source>
        <translation>szerokość strony w px (width w %)</translation>
    </message>
    <message>
        <source>page height in px (height in %)</source>
        <translation>wysokość strony w px (height w %)</translation>
    </message>
    <message>
        <source>page width in px (unit unknown)</source>
        <translation>szerokość strony w px (nieznana jednostka)</translation>
    </message>
    <message>
        <source>page height in px (unit unknown)</source>
        <translation>wysokość strony w px (nieznana jednostka)</translation>
    </message>
    <message>
        <source>page width 0 (width unreadable)</source>
        <translation>szerokość strony 0 (nieczytelne width)</translation>
    </message>
    <message>
        <source>page height 0 (height unreadable)</source>
        <translation>wysokość strony 0 (nieczytelne height)</translation>
    </message>
    <message>
        <source>unreadable viewBox</source>
        <translation>nieczytelny viewBox</translation>
    </message>
    <message>
        <source>centred, uniform scale (preserveAspectRatio unreadable)</source>
        <translation>wyśrodkowano, jednolita skala (nieczytelne preserveAspectRatio)</translation>
    </message>
    <message>
        <source>coordinates in user units (unit ignored)</source>
        <translation>współrzędne w jednostkach użytkownika (pominięto jednostkę)</translation>
    </message>
    <message>
        <source>coordinate 0 (coordinate unreadable)</source>
        <translation>współrzędna 0 (nieczytelna współrzędna)</translation>
    </message>
    <message>
        <source>size in px (size in %)</source>
        <translation>rozmiar w px (rozmiar w %)</translation>
    </message>
    <message>
        <source>size in user units (unit unknown)</source>
        <translation>rozmiar w jednostkach użytkownika (nieznana jednostka)</translation>
    </message>
    <message>
        <source>size 0 (size unreadable)</source>
        <translation>rozmiar 0 (nieczytelny rozmiar)</translation>
    </message>
    <message>
        <source>elements of further kinds</source>
        <translation>elementy innych rodzajów</translation>
    </message>
    <message>
        <source>incomplete ARC</source>
        <translation>niekompletny ARC</translation>
    </message>
    <message>
        <source>incomplete POINT</source>
        <translation>niekompletny POINT</translation>
    </message>
    <message>
        <source>incomplete LINE</source>
        <translation>niekompletna LINE</translation>
    </message>
    <message>
        <source>incomplete CIRCLE</source>
        <translation>niekompletny CIRCLE</translation>
    </message>
    <message>
        <source>INSERT with an unreadable number</source>
        <translation>INSERT z nieczytelną liczbą</translation>
    </message>
    <message>
        <source>incomplete INSERT</source>
        <translation>niepełny INSERT</translation>
    </message>
    <message>
        <source>INSERT nested deeper than 16 blocks</source>
        <translation>INSERT zagnieżdżony głębiej niż 16 bloków</translation>
    </message>
    <message>
        <source>INSERT of a block into itself</source>
        <translation>INSERT bloku w samego siebie</translation>
    </message>
    <message>
        <source>INSERT out of the drawing&apos;s plane</source>
        <translation>INSERT poza płaszczyzną rysunku</translation>
    </message>
    <message>
        <source>closing segment of an LWPOLYLINE</source>
        <translation>odcinek zamykający LWPOLYLINE</translation>
    </message>
    <message>
        <source>Place blocks where the drawing inserts them</source>
        <translation>Umieszczaj bloki tam, gdzie rysunek je wstawia</translation>
    </message>
    <message>
        <source>Unit when the drawing names none</source>
        <translation>Jednostka, gdy rysunek jej nie podaje</translation>
    </message>
    <message>
        <source>unit millimetre ($INSUNITS missing)</source>
        <translation>jednostka milimetr (brak $INSUNITS)</translation>
    </message>
    <message>
        <source>unit millimetre (before $INSUNITS)</source>
        <translation>jednostka milimetr (przed $INSUNITS)</translation>
    </message>
    <message>
        <source>unit centimetre ($INSUNITS missing)</source>
        <translation>jednostka centymetr (brak $INSUNITS)</translation>
    </message>
    <message>
        <source>unit centimetre (before $INSUNITS)</source>
        <translation>jednostka centymetr (przed $INSUNITS)</translation>
    </message>
    <message>
        <source>unit centimetre ($INSUNITS 0, unitless)</source>
        <translation>jednostka centymetr ($INSUNITS 0, bez jednostki)</translation>
    </message>
    <message>
        <source>unit metre ($INSUNITS missing)</source>
        <translation>jednostka metr (brak $INSUNITS)</translation>
    </message>
    <message>
        <source>unit metre (before $INSUNITS)</source>
        <translation>jednostka metr (przed $INSUNITS)</translation>
    </message>
    <message>
        <source>unit metre ($INSUNITS 0, unitless)</source>
        <translation>jednostka metr ($INSUNITS 0, bez jednostki)</translation>
    </message>
    <message>
        <source>unit foot ($INSUNITS missing)</source>
        <translation>jednostka stopa (brak $INSUNITS)</translation>
    </message>
    <message>
        <source>unit foot (before $INSUNITS)</source>
        <translation>jednostka stopa (przed $INSUNITS)</translation>
    </message>
    <message>
        <source>unit foot ($INSUNITS 0, unitless)</source>
        <translation>jednostka stopa ($INSUNITS 0, bez jednostki)</translation>
    </message>
    <message>
        <source>scaling with an empty window</source>
        <translation>skalowanie z pustym oknem</translation>
    </message>
    <message>
        <source>scaling without IP</source>
        <translation>skalowanie bez IP</translation>
    </message>
    <message>
        <source>chord angle out of range</source>
        <translation>kąt cięciwy poza zakresem</translation>
    </message>
    <message>
        <source>arc sweep beyond a full turn</source>
        <translation>rozwarcie łuku ponad pełny obrót</translation>
    </message>
    <message>
        <source>coordinate out of range</source>
        <translation>współrzędna poza zakresem</translation>
    </message>
    <message>
        <source>Full instruction set</source>
        <translation>Pełny zestaw instrukcji</translation>
    </message>
    <message>
        <source>use of a missing element</source>
        <translation>use nieistniejącego elementu</translation>
    </message>
    <message>
        <source>use that leads back to itself</source>
        <translation>use prowadzące z powrotem do siebie</translation>
    </message>
    <message>
        <source>use nested too deep</source>
        <translation>use zagnieżdżone zbyt głęboko</translation>
    </message>
    <message>
        <source>use past the limit of copies</source>
        <translation>use ponad limit kopii</translation>
    </message>
    <message>
        <source>use of zero size</source>
        <translation>use o zerowym rozmiarze</translation>
    </message>
    <message>
        <source>symbol unscaled (viewport size unknown)</source>
        <translation>symbol bez skalowania (nieznany rozmiar obszaru widoku)</translation>
    </message>
    <message>
        <source>page width from the viewBox in px (width missing)</source>
        <translation>szerokość strony z viewBox w px (brak szerokości)</translation>
    </message>
    <message>
        <source>page height from the viewBox in px (height missing)</source>
        <translation>wysokość strony z viewBox w px (brak wysokości)</translation>
    </message>
    <message>
        <source>page width from the viewBox in px (width in %)</source>
        <translation>szerokość strony z viewBox w px (szerokość w %)</translation>
    </message>
    <message>
        <source>page height from the viewBox in px (height in %)</source>
        <translation>wysokość strony z viewBox w px (wysokość w %)</translation>
    </message>
    <message>
        <source>As a browser shows it</source>
        <translation>Tak, jak pokazuje przeglądarka</translation>
    </message>
</context>
<context>
    <name>DxfReader</name>
    <message>
        <source>blocks are inserted too many times</source>
        <translation>bloki są wstawione zbyt wiele razy</translation>
    </message>
</context>
<context>
    <name>PreviewFigures</name>
    <message>
        <source>Size</source>
        <translation>Wymiary</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maksimum</translation>
    </message>
    <message>
        <source>Objects</source>
        <translation>Obiekty</translation>
    </message>
    <message>
        <source>Vertices</source>
        <translation>Wierzchołki</translation>
    </message>
    <message>
        <source>Cut length</source>
        <translation>Długość cięcia</translation>
    </message>
    <message>
        <source>Travel length</source>
        <translation>Długość przejazdów</translation>
    </message>
</context>
<context>
    <name>PreviewWindow</name>
    <message>
        <source>Reading %1…</source>
        <translation>Odczytywanie %1…</translation>
    </message>
    <message>
        <source>Preview of %1</source>
        <translation>Podgląd %1</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Dopasuj</translation>
    </message>
    <message>
        <source>Show the whole drawing (F)</source>
        <translation>Pokaż cały rysunek (F)</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>inch</source>
        <translation>cal</translation>
    </message>
    <message>
        <source>millimetre</source>
        <translation>milimetr</translation>
    </message>
    <message>
        <source>centimetre</source>
        <translation>centymetr</translation>
    </message>
    <message>
        <source>metre</source>
        <translation>metr</translation>
    </message>
    <message>
        <source>foot</source>
        <translation>stopa</translation>
    </message>
    <message>
        <source>unitless (millimetre)</source>
        <translation>bez jednostki (milimetr)</translation>
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
    <message>
        <source>Output</source>
        <translation>Wyjście</translation>
    </message>
    <message>
        <source>Files converted at once</source>
        <translation>Pliki konwertowane jednocześnie</translation>
    </message>
    <message>
        <source>How many files are read and written at the same time; one per processor core uses the whole machine</source>
        <translation>Ile plików jest czytanych i zapisywanych jednocześnie; po jednym na rdzeń procesora wykorzystuje cały komputer</translation>
    </message>
    <message>
        <source>Order objects to shorten travel</source>
        <translation>Porządkuj obiekty, by skrócić przejazdy</translation>
    </message>
    <message>
        <source>Cut the objects in the order and direction that keeps the moves between them short, instead of the order of the file</source>
        <translation>Wycinaj obiekty w kolejności i kierunku, które skracają przejazdy między nimi, zamiast w kolejności z pliku</translation>
    </message>
    <message>
        <source>Time to shorten the order of one file (s)</source>
        <translation>Czas na skracanie kolejności jednego pliku (s)</translation>
    </message>
    <message>
        <source>Longer finds a shorter order on large drawings; the same drawing always gets the same order</source>
        <translation>Dłuższy czas daje krótszą kolejność dla dużych rysunków; ten sam rysunek zawsze dostaje tę samą kolejność</translation>
    </message>
    <message>
        <source>Join touching objects</source>
        <translation>Łącz stykające się obiekty</translation>
    </message>
    <message>
        <source>An object that starts where the one before ends is cut on without lifting the tool</source>
        <translation>Obiekt zaczynający się tam, gdzie kończy się poprzedni, jest wycinany dalej bez podnoszenia narzędzia</translation>
    </message>
    <message>
        <source>SVG</source>
        <translation>SVG</translation>
    </message>
    <message>
        <source>Carry out scaling, rotation, relative moves, circles, arcs, rectangles and polygons as the plotter draws them</source>
        <translation>Wykonuj skalowanie, obrót, ruchy względne, okręgi, łuki, prostokąty i wielokąty tak, jak rysuje je ploter</translation>
    </message>
    <message>
        <source>Full instruction set</source>
        <translation>Pełny zestaw instrukcji</translation>
    </message>
    <message>
        <source>Draw every block where an INSERT puts it, moved, scaled, turned and repeated, and old-style polylines with their arcs and closing segment, as the CAD program shows them</source>
        <translation>Rysuj każdy blok tam, gdzie umieszcza go INSERT — przesunięty, przeskalowany, obrócony i powtórzony — a stare polilinie z ich łukami i odcinkiem zamykającym, tak jak pokazuje je program CAD</translation>
    </message>
    <message>
        <source>Place blocks where the drawing inserts them</source>
        <translation>Umieszczaj bloki tam, gdzie rysunek je wstawia</translation>
    </message>
    <message>
        <source>Unit when the drawing names none</source>
        <translation>Jednostka, gdy rysunek jej nie podaje</translation>
    </message>
    <message>
        <source>The unit of a drawing without $INSUNITS or with $INSUNITS 0</source>
        <translation>Jednostka rysunku bez $INSUNITS lub z $INSUNITS równym 0</translation>
    </message>
    <message>
        <source>Draw copies made with use, leave out what the file keeps hidden or only defines, and take a page size in percent from the viewBox</source>
        <translation>Rysuj kopie tworzone przez use, pomijaj to, co plik ukrywa lub tylko definiuje, a rozmiar strony podany w procentach bierz z viewBox</translation>
    </message>
    <message>
        <source>As a browser shows it</source>
        <translation>Tak, jak pokazuje przeglądarka</translation>
    </message>
    <message>
        <source>Curves to a tolerance</source>
        <translation>Krzywe z zadaną tolerancją</translation>
    </message>
    <message>
        <source>Break arcs and curves into as few lines as keep every point of the curve within the tolerance, instead of a fixed number of points</source>
        <translation>Dziel łuki i krzywe na tak mało odcinków, by każdy punkt krzywej mieścił się w tolerancji, zamiast na stałą liczbę punktów</translation>
    </message>
    <message>
        <source>Tolerance (mm)</source>
        <translation>Tolerancja (mm)</translation>
    </message>
    <message>
        <source>How far the cut may stray from the true curve, for curves and for arcs</source>
        <translation>Jak daleko cięcie może odejść od prawdziwej krzywej, dla krzywych i dla łuków</translation>
    </message>
    <message>
        <source>Arcs as G2/G3</source>
        <translation>Łuki jako G2/G3</translation>
    </message>
    <message>
        <source>Write runs of vertices that lie on a circle within the tolerance as one G2 or G3 arc, so that the machine does not slow down at every vertex</source>
        <translation>Zapisuj ciągi wierzchołków leżących na okręgu w granicach tolerancji jako jeden łuk G2 lub G3, by maszyna nie zwalniała przy każdym wierzchołku</translation>
    </message>
</context>
<context>
    <name>SvgReader</name>
    <message>
        <source>the compressed file ends early</source>
        <translation>skompresowany plik kończy się przedwcześnie</translation>
    </message>
    <message>
        <source>the compressed file is damaged</source>
        <translation>skompresowany plik jest uszkodzony</translation>
    </message>
    <message>
        <source>the compressed file could not be inflated</source>
        <translation>nie udało się rozpakować skompresowanego pliku</translation>
    </message>
    <message>
        <source>not well-formed XML (line %1, column %2)</source>
        <translation>niepoprawny XML (wiersz %1, kolumna %2)</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>plik jest pusty</translation>
    </message>
    <message>
        <source>the file ends early (line %1, column %2)</source>
        <translation>plik kończy się przedwcześnie (wiersz %1, kolumna %2)</translation>
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
    <message>
        <source>Preview</source>
        <translation>Podgląd</translation>
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
<context>
    <name>UpdateSystem</name>
    <message>
        <source>Error launching updater.</source>
        <translation>Nie można uruchomić aktualizacji.</translation>
    </message>
    <message>
        <source>The application updater cannot be started. Run the program as Administrator or download new version from our website.</source>
        <translation>Nie można uruchomić programu aktualizującego. Uruchom program jako administrator albo pobierz nową wersję z naszej strony internetowej.</translation>
    </message>
</context>
</TS>
