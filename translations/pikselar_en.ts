<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="pl_PL">
<context>
    <name>AboutPage</name>
    <message>
        <source>Strona WWW</source>
        <translation>Web page</translation>
    </message>
</context>
<context>
    <name>Colour</name>
    <message>
        <source>czarny</source>
        <translation>black</translation>
    </message>
    <message>
        <source>czerwony</source>
        <translation>red</translation>
    </message>
    <message>
        <source>zielony</source>
        <translation>green</translation>
    </message>
    <message>
        <source>niebieski</source>
        <translation>blue</translation>
    </message>
    <message>
        <source>brązowy</source>
        <translation>dark red</translation>
    </message>
    <message>
        <source>ciemy zielony</source>
        <translation>dark green</translation>
    </message>
    <message>
        <source>ciemny niebieski</source>
        <translation>dark blue</translation>
    </message>
    <message>
        <source>ciemny szary</source>
        <translation>dark grey</translation>
    </message>
    <message>
        <source>biały</source>
        <translation>white</translation>
    </message>
    <message>
        <source>fioletowy</source>
        <translation>magenta</translation>
    </message>
    <message>
        <source>żółty</source>
        <translation>yellow</translation>
    </message>
    <message>
        <source>morski</source>
        <translation>cyan</translation>
    </message>
    <message>
        <source>ciemny fioletowy</source>
        <translation>purple</translation>
    </message>
    <message>
        <source>oliwkowy</source>
        <translation>olive</translation>
    </message>
    <message>
        <source>osikany zielony</source>
        <translation>teal</translation>
    </message>
    <message>
        <source>szary</source>
        <translation>grey</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Użycie: pikselar [PLIK.ico | /SCHOWEK]
Edytor jednej ikony 32 x 32 w 16 kolorach.

  PLIK.ico    otwiera podany plik ikony
  /SCHOWEK    zaczyna od obrazu wklejonego ze schowka
  /?, /POMOC, /HELP, -h, --help
              wypisuje ten tekst i kończy program

Wielkość liter w przełącznikach nie ma znaczenia.
</source>
        <translation>Usage: pikselar [FILE.ico | /SCHOWEK]
Editor of one 32 x 32 icon in 16 colours.

  FILE.ico    opens the given icon file
  /SCHOWEK    starts with the picture pasted from the clipboard
  /?, /POMOC, /HELP, -h, --help
              prints this text and ends the program

Switches may be written in any case.
</translation>
    </message>
</context>
<context>
    <name>DecodeProcess</name>
    <message>
        <source>pikselar: brak programu pikselar-decode
</source>
        <translation>pikselar: the program pikselar-decode is missing
</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>Folder</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>Plik</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Plik %1</source>
        <translation>%1 file</translation>
    </message>
</context>
<context>
    <name>HelpTexts</name>
    <message>
        <source>To narzędzie służy do rysowania pojedyńczych punktów</source>
        <translation>This tool draws single points</translation>
    </message>
    <message>
        <source>To narzędzie do rysowania prostych linii</source>
        <translation>This tool draws straight lines</translation>
    </message>
    <message>
        <source>To narzędzie służy do rysowania kwadratów</source>
        <translation>This tool draws squares</translation>
    </message>
    <message>
        <source>To narzędzie służy do rysowania wypełnionych kwadratów</source>
        <translation>This tool draws filled squares</translation>
    </message>
    <message>
        <source>To narzędzie służy do wstawiania tekstu</source>
        <translation>This tool inserts text</translation>
    </message>
    <message>
        <source>PUSTE - może coś tu dam w nowej wersji</source>
        <translation>EMPTY - something may come here in a new version</translation>
    </message>
    <message>
        <source>Gumka do mazania</source>
        <translation>Eraser</translation>
    </message>
    <message>
        <source>Gumka do mazania wybranego koloru</source>
        <translation>Eraser of the chosen colour</translation>
    </message>
    <message>
        <source>To narzędzie przesuwa obraz w górę</source>
        <translation>This tool shifts the image up</translation>
    </message>
    <message>
        <source>To narzędzie przesuwa obraz w lewo</source>
        <translation>This tool shifts the image left</translation>
    </message>
    <message>
        <source>To narzędzie przesuwa obraz w dół</source>
        <translation>This tool shifts the image down</translation>
    </message>
    <message>
        <source>To narzędzie przesuwa obraz w prawo</source>
        <translation>This tool shifts the image right</translation>
    </message>
    <message>
        <source>Ołówek - to narzędzie służy do rysowania pojedyńczych punktów, lub odręcznych linii</source>
        <translation>Pencil - this tool draws single points or freehand lines</translation>
    </message>
    <message>
        <source>Linia - to narzędzie służy do rysowania prostych linii, jest pod tym względem dużo lepsze od ołówka</source>
        <translation>Line - this tool draws straight lines, and does it much better than the pencil</translation>
    </message>
    <message>
        <source>Kwadrat - to narzędzie służy do rysowania niewypełnionych kwadratów.</source>
        <translation>Square - this tool draws squares that are not filled.</translation>
    </message>
    <message>
        <source>Kwadrat - to narzędzie służy do rysowania wypełnionych kwadratów.</source>
        <translation>Square - this tool draws filled squares.</translation>
    </message>
    <message>
        <source>Tekst - to narzędzie służy do wstawiania tekstu, jest dość ubogie, ale nie każdy edytor ikon posiada takie cudo</source>
        <translation>Text - this tool inserts text; it is rather modest, but not every icon editor has such a marvel</translation>
    </message>
    <message>
        <source>?</source>
        <translation>?</translation>
    </message>
    <message>
        <source>Gumka - to narzędzie służy do mazania pewnych fragmentów obrazu</source>
        <translation>Eraser - this tool rubs out parts of the image</translation>
    </message>
    <message>
        <source>Gumka do kolorów - to narzędzie różni się tym, od zwykłej gumki, że usuwa tylko 1 określony kolor (ten, który jest wybrany na palecie kolorów)</source>
        <translation>Colour eraser - unlike the plain eraser, this tool removes only one colour (the one chosen in the palette)</translation>
    </message>
    <message>
        <source>Paleta kolorów - dzięki palecie kolorów możemy wybrać kolor, którym chcemy się posługiwać. Dzięki temu nasza ikona moze byc kolorowa :-)</source>
        <translation>Colour palette - here you choose the colour to draw with. That is how your icon gets its colours :-)</translation>
    </message>
    <message>
        <source>Strzałka w górę - to narzędzie przesuwa obraz ikony o 1 pixel do góry.</source>
        <translation>Up arrow - this tool shifts the icon image 1 pixel up.</translation>
    </message>
    <message>
        <source>Strzałka w lewo - to narzędzie przesuwa obraz ikony o 1 pixel w lewo.</source>
        <translation>Left arrow - this tool shifts the icon image 1 pixel left.</translation>
    </message>
    <message>
        <source>Strzałka w dół - to narzędzie przesuwa obraz ikony o 1 pixel w dół.</source>
        <translation>Down arrow - this tool shifts the icon image 1 pixel down.</translation>
    </message>
    <message>
        <source>Strzałka w prawo - to narzędzie przesuwa obraz ikony o 1 pixel w prawo.</source>
        <translation>Right arrow - this tool shifts the icon image 1 pixel right.</translation>
    </message>
    <message>
        <source>To jest podgląd ikony (skala 1:1)</source>
        <translation>This is the icon preview (scale 1:1)</translation>
    </message>
    <message>
        <source>To jest podglad ikony (skala 1:2)</source>
        <translation>This is the icon preview (scale 1:2)</translation>
    </message>
    <message>
        <source>Właśnie uruchomiłes Pomoc. Od teraz klikając np. w jakieś narzędzie dowiesz się do czego to narzędzie służy. Aby wyłączyć tą pomoc, należy z menu POMOC wybrać jeszcze raz pozycję POMOC</source>
        <translation>You have just started Help. From now on, clicking a tool, for example, tells you what that tool is for. To switch this help off, choose HELP from the HELP menu once more</translation>
    </message>
    <message>
        <source>Kliknij tutaj, aby wybrać %1 kolor</source>
        <translation>Click here to choose %1</translation>
    </message>
</context>
<context>
    <name>HistoryReason</name>
    <message>
        <source>plik historii jest tylko do odczytu</source>
        <translation>the history file is read-only</translation>
    </message>
    <message>
        <source>inny program zajmuje historię</source>
        <translation>another program is using the history</translation>
    </message>
    <message>
        <source>plik historii jest uszkodzony</source>
        <translation>the history file is damaged</translation>
    </message>
    <message>
        <source>nie można otworzyć pliku historii</source>
        <translation>the history file cannot be opened</translation>
    </message>
    <message>
        <source>historię zapisała nowsza wersja programu</source>
        <translation>the history was written by a newer version of the program</translation>
    </message>
    <message>
        <source>nie można utworzyć pliku historii</source>
        <translation>the history file cannot be created</translation>
    </message>
    <message>
        <source>folder historii jest dowiązaniem</source>
        <translation>the history folder is a link</translation>
    </message>
    <message>
        <source>folder historii nie jest folderem</source>
        <translation>the history folder is not a folder</translation>
    </message>
    <message>
        <source>folder historii jest niedostępny</source>
        <translation>the history folder cannot be reached</translation>
    </message>
    <message>
        <source>folder historii jest tylko do odczytu</source>
        <translation>the history folder is read-only</translation>
    </message>
    <message>
        <source>folder historii nie istnieje</source>
        <translation>the history folder does not exist</translation>
    </message>
    <message>
        <source>plik historii jest dowiązaniem</source>
        <translation>the history file is a link</translation>
    </message>
    <message>
        <source>plik historii jest folderem</source>
        <translation>the history file is a folder</translation>
    </message>
    <message>
        <source>plik historii nie istnieje</source>
        <translation>the history file does not exist</translation>
    </message>
    <message>
        <source>plik historii jest niedostępny</source>
        <translation>the history file cannot be reached</translation>
    </message>
    <message>
        <source>nie ma folderu na dane programu (XDG_STATE_HOME ani HOME)</source>
        <translation>there is no folder for the program&apos;s data (neither XDG_STATE_HOME nor HOME)</translation>
    </message>
    <message>
        <source>folder historii należy do innego użytkownika</source>
        <translation>the history folder belongs to another user</translation>
    </message>
    <message>
        <source>plik pomocniczy historii jest dowiązaniem</source>
        <translation>a companion file of the history is a link</translation>
    </message>
    <message>
        <source>plik pomocniczy historii nie jest zwykłym plikiem</source>
        <translation>a companion file of the history is not a regular file</translation>
    </message>
    <message>
        <source>plik historii nie jest zwykłym plikiem</source>
        <translation>the history file is not a regular file</translation>
    </message>
    <message>
        <source>brak miejsca na dysku</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>błąd zapisu historii (SQLite %1)</source>
        <translation>the history could not be written (SQLite %1)</translation>
    </message>
</context>
<context>
    <name>HistoryRecorder</name>
    <message>
        <source>Ołówek</source>
        <translation>Pencil</translation>
    </message>
    <message>
        <source>Linia</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>Prostokąt</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <source>Wypełniony prostokąt</source>
        <translation>Filled rectangle</translation>
    </message>
    <message>
        <source>Gumka</source>
        <translation>Eraser</translation>
    </message>
    <message>
        <source>Gumka kolorowa</source>
        <translation>Colour eraser</translation>
    </message>
    <message>
        <source>Przesunięcie</source>
        <translation>Shift</translation>
    </message>
    <message>
        <source>Cofnij</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Czyść</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Nowy</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Otwórz</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Wklej</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Wytnij</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Ikona programu</source>
        <translation>Program icon</translation>
    </message>
    <message>
        <source>Tekst</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Przywrócenie</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Odbicie w poziomie</source>
        <translation>Horizontal flip</translation>
    </message>
    <message>
        <source>Odbicie w pionie</source>
        <translation>Vertical flip</translation>
    </message>
    <message>
        <source>Obrót w prawo</source>
        <translation>Rotation right</translation>
    </message>
    <message>
        <source>Obrót w lewo</source>
        <translation>Rotation left</translation>
    </message>
    <message>
        <source>Wypełnienie</source>
        <translation>Fill</translation>
    </message>
    <message>
        <source>Zamiana koloru</source>
        <translation>Colour change</translation>
    </message>
    <message>
        <source>Zmiana</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>Stan wyjściowy</source>
        <translation>Initial state</translation>
    </message>
</context>
<context>
    <name>NoWindowSystem</name>
    <message>
        <source>pikselar: nie można połączyć się z systemem okien (DISPLAY i WAYLAND_DISPLAY nie wskazują działającego serwera)
</source>
        <translation>pikselar: cannot connect to the window system (DISPLAY and WAYLAND_DISPLAY name no running server)
</translation>
    </message>
</context>
<context>
    <name>TextMenus</name>
    <message>
        <source>&amp;Czcionka</source>
        <translation>&amp;Font</translation>
    </message>
    <message>
        <source>Zmień &amp;czcionkę</source>
        <translation>&amp;Change font</translation>
    </message>
    <message>
        <source>&amp;Rozmiar czcionki</source>
        <translation>Font &amp;size</translation>
    </message>
    <message>
        <source>&amp;Styl czcionki</source>
        <translation>Font s&amp;tyle</translation>
    </message>
    <message>
        <source>&amp;Pogrubiona</source>
        <translation>&amp;Bold</translation>
    </message>
    <message>
        <source>&amp;Ukośna</source>
        <translation>&amp;Italic</translation>
    </message>
    <message>
        <source>P&amp;odkreślona</source>
        <translation>&amp;Underline</translation>
    </message>
</context>
<context>
    <name>UndecodableNames</name>
    <message>
        <source>Pliki o nazwach spoza UTF-8:</source>
        <translation>Files with names outside UTF-8:</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>O programie</source>
        <translation>About</translation>
    </message>
    <message>
        <source>wersja 1.0</source>
        <translation>version 1.0</translation>
    </message>
    <message>
        <source>Ten program służy do tworzenia ikon o wymiarach 32x32 pixele i 16 kolorach. Program posiada kilka ciekawych rzeczy, których nie posiadają konkurenci. Proszę o wysyłanie uwag na temat programu i czeste odwiedzanie mojej strony WWW</source>
        <translation>This program makes icons of 32x32 pixels in 16 colours. It has a few interesting things that its rivals lack. Please send your remarks about the program and visit my web page often</translation>
    </message>
    <message>
        <source>&amp;Strona WWW</source>
        <translation>&amp;Web page</translation>
    </message>
    <message>
        <source>Ikona programu</source>
        <translation>Program icon</translation>
    </message>
    <message>
        <source>Obrazek programu Pikselar</source>
        <translation>Picture of the Pikselar program</translation>
    </message>
    <message>
        <source>Zamyka okno</source>
        <translation>Closes the window</translation>
    </message>
    <message>
        <source>Otwiera stronę WWW autora programu</source>
        <translation>Opens the web page of the program&apos;s author</translation>
    </message>
</context>
<context>
    <name>frmFont</name>
    <message>
        <source>Zmień czcionkę</source>
        <translation>Change font</translation>
    </message>
    <message>
        <source>Czcionka</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Podgląd</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Proszę czekać, trwa ładowanie listy czcionek</source>
        <translation>Please wait, the list of fonts is loading</translation>
    </message>
    <message>
        <source>Lista czcionek ekranowych</source>
        <translation>List of screen fonts</translation>
    </message>
    <message>
        <source>Zamyka okno i ustawia wybraną czcionkę</source>
        <translation>Closes the window and sets the chosen font</translation>
    </message>
    <message>
        <source>Podgląd czcionki</source>
        <translation>Font preview</translation>
    </message>
    <message>
        <source>Przykładowy tekst w wybranej czcionce</source>
        <translation>Sample text in the chosen font</translation>
    </message>
</context>
<context>
    <name>frmHelp</name>
    <message>
        <source>Pomoc</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Zamyka okno pomocy</source>
        <translation>Closes the help window</translation>
    </message>
    <message>
        <source>Kliknięcie zamyka okno pomocy</source>
        <translation>A click closes the help window</translation>
    </message>
</context>
<context>
    <name>frmHistoria</name>
    <message>
        <source>Historia</source>
        <translation>History</translation>
    </message>
    <message>
        <source>Wszystkie stany obrazu, najnowszy na górze</source>
        <translation>Every state of the image, the newest on top</translation>
    </message>
    <message>
        <source>Stany obrazu</source>
        <translation>Image states</translation>
    </message>
    <message>
        <source>Strzałki wybierają stan, Enter przywraca go do obrazu, Esc zamyka okno</source>
        <translation>The arrows choose a state, Enter restores it to the image, Esc closes the window</translation>
    </message>
    <message>
        <source>Historia jest pusta.</source>
        <translation>The history is empty.</translation>
    </message>
    <message>
        <source>Historia nie jest zapisywana: </source>
        <translation>The history is not being saved: </translation>
    </message>
    <message>
        <source>&amp;Przywróć</source>
        <translation>&amp;Restore</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Przywraca wybrany stan do obrazu</source>
        <translation>Restores the chosen state to the image</translation>
    </message>
    <message>
        <source>Zamyka okno bez zmian</source>
        <translation>Closes the window without changes</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Wybierz fragment tekstu, który chcesz wkleić</source>
        <translation>Choose the part of the text you want to paste</translation>
    </message>
    <message>
        <source>Albo schowek jest pusty, albo zawiera nieodpowienie dane np. tekst</source>
        <translation>The clipboard is either empty or holds unsuitable data, such as text</translation>
    </message>
    <message>
        <source>Błąd</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Ponieważ wklejany obraz ma większe wymiary niż 32x32 pixele, to wybierz fragment, który chcesz wkleić ze schowka</source>
        <translation>The pasted picture is larger than 32x32 pixels, so choose the part of it you want to paste from the clipboard</translation>
    </message>
    <message>
        <source>Taki plik nie istnieje.</source>
        <translation>No such file exists.</translation>
    </message>
    <message>
        <source>To jest folder, a nie plik.</source>
        <translation>This is a folder, not a file.</translation>
    </message>
    <message>
        <source>To nie jest zwykły plik.</source>
        <translation>This is not a regular file.</translation>
    </message>
    <message>
        <source>Brak prawa do odczytu tego pliku.</source>
        <translation>No permission to read this file.</translation>
    </message>
    <message>
        <source>Podany plik nie jest prawidłowym plikiem ikony</source>
        <translation>The given file is not a valid icon file</translation>
    </message>
    <message>
        <source>Nie można otworzyć pliku „%1”.
%2</source>
        <translation>Cannot open the file “%1”.
%2</translation>
    </message>
    <message>
        <source>Ikony (*.ico)|*.ico|Wszystkie pliki (*.*)|*.*</source>
        <translation>Icons (*.ico)|*.ico|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>Wystąpił nieznany błąd!!</source>
        <translation>An unknown error occurred!!</translation>
    </message>
    <message>
        <source>Otwórz</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Obraz ikony w powiększeniu</source>
        <translation>Enlarged icon image</translation>
    </message>
    <message>
        <source>Płótno: każdy punkt ikony jako kwadrat 6 na 6 pikseli; tu rysuje wybrane narzędzie, a Ctrl ze strzałką przesuwa obraz</source>
        <translation>Canvas: every point of the icon as a square of 6 by 6 pixels; the chosen tool draws here, and Ctrl with an arrow shifts the image</translation>
    </message>
    <message>
        <source>Podgląd ikony (skala 1:1)</source>
        <translation>Icon preview (scale 1:1)</translation>
    </message>
    <message>
        <source>Podgląd ikony (skala 1:2)</source>
        <translation>Icon preview (scale 1:2)</translation>
    </message>
    <message>
        <source>Pozycja myszy</source>
        <translation>Mouse position</translation>
    </message>
    <message>
        <source>Kolumna i wiersz punktu pod wskaźnikiem, liczone od 1</source>
        <translation>Column and row of the point under the pointer, counted from 1</translation>
    </message>
    <message>
        <source>Pasek pomocy</source>
        <translation>Help bar</translation>
    </message>
    <message>
        <source>Opis przycisku, nad którym jest wskaźnik</source>
        <translation>Description of the button under the pointer</translation>
    </message>
    <message>
        <source>Ramka płótna</source>
        <translation>Canvas frame</translation>
    </message>
    <message>
        <source>Ramka podglądu (skala 1:1)</source>
        <translation>Preview frame (scale 1:1)</translation>
    </message>
    <message>
        <source>Ramka podglądu (skala 1:2)</source>
        <translation>Preview frame (scale 1:2)</translation>
    </message>
    <message>
        <source>Ramka pozycji myszy</source>
        <translation>Mouse position frame</translation>
    </message>
    <message>
        <source>Pomoc</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Importuj ikonę z pliku EXE</source>
        <translation>Import icon from EXE file</translation>
    </message>
    <message>
        <source>Pliki EXE|*.EXE|Wszystkie pliki|*.*</source>
        <translation>EXE files|*.EXE|All files|*.*</translation>
    </message>
    <message>
        <source>Importuj plik graficzny</source>
        <translation>Import picture file</translation>
    </message>
    <message>
        <source>Pliki BMP|*.bmp|Pliki GIF|*.gif|Pliki JPG|*.jpg|Pliki WMF|*.wmf|Pliki CUR (kursory)|*.cur|Wszystkie pliki|*.*</source>
        <translation>BMP files|*.bmp|GIF files|*.gif|JPG files|*.jpg|WMF files|*.wmf|CUR files (cursors)|*.cur|All files|*.*</translation>
    </message>
    <message>
        <source>Wybierz fragment pliku, który chcesz zaimportować</source>
        <translation>Choose the part of the file you want to import</translation>
    </message>
    <message>
        <source>&amp;Plik</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Nowy</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>&amp;Otwórz...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>Importuj</source>
        <translation>&amp;Import</translation>
    </message>
    <message>
        <source>Importuj ikonę z pliku &amp;EXE...</source>
        <translation>Import icon from &amp;EXE file...</translation>
    </message>
    <message>
        <source>Importuj plik graficzny...</source>
        <translation>Import &amp;picture file...</translation>
    </message>
    <message>
        <source>&amp;Zapisz</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Zapisz &amp;jako ...</source>
        <translation>Save &amp;as ...</translation>
    </message>
    <message>
        <source>&amp;Koniec</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Edycja</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Cofnij</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>&amp;Wytnij</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>&amp;Kopiuj</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>Wk&amp;lej</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>&amp;Czyść obraz</source>
        <translation>Clear &amp;image</translation>
    </message>
    <message>
        <source>&amp;Opcje</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>&amp;Kolor przeźroczysty</source>
        <translation>&amp;Transparent colour</translation>
    </message>
    <message>
        <source>brak</source>
        <translation>none</translation>
    </message>
    <message>
        <source>&amp;Pokazuj pozycję myszy</source>
        <translation>Show &amp;mouse position</translation>
    </message>
    <message>
        <source>Pokazuj &amp;ramki</source>
        <translation>Show &amp;frames</translation>
    </message>
    <message>
        <source>Pokazuj podgląd &amp;ikony</source>
        <translation>Show icon &amp;preview</translation>
    </message>
    <message>
        <source>Pokazuj &amp;miniaturkę ikony</source>
        <translation>Show icon t&amp;humbnail</translation>
    </message>
    <message>
        <source>Pokaż &amp;siatkę</source>
        <translation>Show &amp;grid</translation>
    </message>
    <message>
        <source>Pomo&amp;c</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Pasek pomo&amp;cy</source>
        <translation>Help &amp;bar</translation>
    </message>
    <message>
        <source>&amp;O programie...</source>
        <translation>&amp;About...</translation>
    </message>
    <message>
        <source>Ołówek</source>
        <translation>Pencil</translation>
    </message>
    <message>
        <source>Linia</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>Kwadrat</source>
        <translation>Square</translation>
    </message>
    <message>
        <source>Wypełniony kwadrat</source>
        <translation>Filled square</translation>
    </message>
    <message>
        <source>Tekst</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Puste</source>
        <translation>Empty</translation>
    </message>
    <message>
        <source>Gumka</source>
        <translation>Eraser</translation>
    </message>
    <message>
        <source>Gumka do kolorów</source>
        <translation>Colour eraser</translation>
    </message>
    <message>
        <source>poza paletą</source>
        <translation>outside the palette</translation>
    </message>
    <message>
        <source>Narzędzie: %1</source>
        <translation>Tool: %1</translation>
    </message>
    <message>
        <source>Kolor: %1</source>
        <translation>Colour: %1</translation>
    </message>
    <message>
        <source>&amp;Historia...</source>
        <translation>&amp;History...</translation>
    </message>
    <message>
        <source>O&amp;braz</source>
        <translation>&amp;Image</translation>
    </message>
    <message>
        <source>Odbij w &amp;poziomie</source>
        <translation>Flip &amp;horizontally</translation>
    </message>
    <message>
        <source>Odbij w p&amp;ionie</source>
        <translation>Flip &amp;vertically</translation>
    </message>
    <message>
        <source>Obróć w p&amp;rawo</source>
        <translation>Rotate &amp;right</translation>
    </message>
    <message>
        <source>Obróć w &amp;lewo</source>
        <translation>Rotate &amp;left</translation>
    </message>
    <message>
        <source>&amp;Wypełnij</source>
        <translation>&amp;Fill</translation>
    </message>
    <message>
        <source>Pobierz &amp;kolor</source>
        <translation>&amp;Pick colour</translation>
    </message>
    <message>
        <source>Rysowanie kl&amp;awiaturą</source>
        <translation>&amp;Keyboard drawing</translation>
    </message>
    <message>
        <source>Eksportuj do PNG</source>
        <translation>Export to PNG</translation>
    </message>
    <message>
        <source>Obrazy PNG (*.png)|*.png</source>
        <translation>PNG images (*.png)|*.png</translation>
    </message>
    <message>
        <source>&amp;Eksportuj do PNG...</source>
        <translation>&amp;Export to PNG...</translation>
    </message>
    <message>
        <source>P&amp;okaż kolory spoza palety</source>
        <translation>Show colours &amp;outside the palette</translation>
    </message>
    <message>
        <source>Pokaż prze&amp;zroczystość</source>
        <translation>Show transparenc&amp;y</translation>
    </message>
</context>
<context>
    <name>frmText</name>
    <message>
        <source>Wstaw tekst</source>
        <translation>Insert text</translation>
    </message>
    <message>
        <source>Wpisz tu jakiś tekst</source>
        <translation>Type some text here</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Tekst</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Wpisz tu jakiś tekst, najwyżej 10 znaków</source>
        <translation>Type some text here, at most 10 characters</translation>
    </message>
    <message>
        <source>Wstawia tekst przez okno wklejania</source>
        <translation>Inserts the text through the paste window</translation>
    </message>
    <message>
        <source>Zamyka okno bez wstawiania tekstu</source>
        <translation>Closes the window without inserting text</translation>
    </message>
</context>
<context>
    <name>frmtmp</name>
    <message>
        <source>Wklej</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Obraz do wklejenia</source>
        <translation>Picture to paste</translation>
    </message>
    <message>
        <source>Ramka wyboru idzie za wskaźnikiem; kliknięcie wkleja fragment w ramce</source>
        <translation>The selection frame follows the pointer; a click pastes the part inside the frame</translation>
    </message>
    <message>
        <source>Ramka wyboru</source>
        <translation>Selection frame</translation>
    </message>
    <message>
        <source>Ramka obrazu</source>
        <translation>Picture frame</translation>
    </message>
    <message>
        <source>Wklej [%1,%2]</source>
        <translation>Paste [%1,%2]</translation>
    </message>
    <message>
        <source>&amp;Dopasuj do 32 x 32</source>
        <translation>F&amp;it to 32 x 32</translation>
    </message>
    <message>
        <source>&amp;Kolory palety</source>
        <translation>&amp;Palette colours</translation>
    </message>
    <message>
        <source>Roz&amp;praszanie</source>
        <translation>&amp;Dithering</translation>
    </message>
    <message>
        <source>Trwa dobieranie kolorów palety...</source>
        <translation>Choosing the palette colours...</translation>
    </message>
    <message numerus="yes">
        <source>%n pikseli spoza palety zostanie zapisanych jako czarne</source>
        <translation>
            <numerusform>%n pixel outside the palette will be saved as black</numerusform>
            <numerusform>%n pixels outside the palette will be saved as black</numerusform>
        </translation>
    </message>
</context>
</TS>
