<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="cs" sourcelanguage="en">
<context>
    <name>bench</name>
    <message>
        <source>time %1 s, %2 nodes/s</source>
        <translation>čas %1 s, %2 uzlů/s</translation>
    </message>
    <message>
        <source>bench takes no arguments but --master [--verbose]: </source>
        <translation>bench nebere jiné argumenty než --master [--verbose]: </translation>
    </message>
    <message>
        <source>bench --verbose goes with --master</source>
        <translation>bench --verbose patří k --master</translation>
    </message>
    <message>
        <source>%1 games, %2 moves</source>
        <translation>her: %1, tahů: %2</translation>
    </message>
</context>
<context>
    <name>boards</name>
    <message>
        <source>boards takes no arguments</source>
        <translation>boards nebere žádné argumenty</translation>
    </message>
</context>
<context>
    <name>help</name>
    <message>
        <source>boards</source>
        <translation>boards</translation>
    </message>
    <message>
        <source>play [--board NAME | --board-string S] [--logic star|cross] [--p1 LEVEL] [--p2 LEVEL] [--seed N] [--games N] [--show] [--max-moves N] [--movetime MS] [--record] [--resume] [--pgn FILE]   (LEVEL: beginner, pro, genius, master; --max-moves keeps the game, --resume plays the kept one)</source>
        <translation>play [--board NÁZEV | --board-string S] [--logic star|cross] [--p1 ÚROVEŇ] [--p2 ÚROVEŇ] [--seed N] [--games N] [--show] [--max-moves N] [--movetime MS] [--record] [--resume] [--pgn SOUBOR]   (ÚROVEŇ: beginner, pro, genius, master; --max-moves hru uchová, --resume hraje uchovanou hru dál)</translation>
    </message>
    <message>
        <source>moves (--board-string S --player P | --fen F) [--logic star|cross] --strength K [--last SX SY TX TY] [--movetime MS] [--depth D]   (K 4: &quot;PC Velmistr&quot;)</source>
        <translation>moves (--board-string S --player P | --fen F) [--logic star|cross] --strength K [--last SX SY TX TY] [--movetime MS] [--depth D]   (K 4: „PC Velmistr“)</translation>
    </message>
    <message>
        <source>match [--games N] [--movetime MS] [--seed N] [--opponent LEVEL] [--jobs N] [--board NAME] [--logic star|cross] [--clock cpu|wall] [--weights M F R]   (&quot;PC Velmistr&quot; against LEVEL, default genius, over the built-in boards, both logics and sides; --jobs plays that many games at once; searches are timed by processor time unless --clock wall; --weights tunes the evaluation)</source>
        <translation>match [--games N] [--movetime MS] [--seed N] [--opponent ÚROVEŇ] [--jobs N] [--board NÁZEV] [--logic star|cross] [--clock cpu|wall] [--weights M F R]   („PC Velmistr“ proti ÚROVNI, bez ní genius, na vestavěných hracích polích, s oběma logikami pohybu a za obě strany; --jobs hraje tolik her najednou; hledání se měří časem procesoru, není-li dáno --clock wall; --weights ladí ohodnocení)</translation>
    </message>
    <message>
        <source>perft (--board-string S --player P | --fen F) [--logic star|cross] --depth D   (a FEN plays by the standard rules: a stuck side passes)</source>
        <translation>perft (--board-string S --player P | --fen F) [--logic star|cross] --depth D   (pozice z FEN se hraje podle standardních pravidel: strana bez tahu vynechává)</translation>
    </message>
    <message>
        <source>bench [--master [--verbose]]   (seeded computer games; with --master &quot;PC Velmistr&quot;&apos;s nodes at fixed depths; prints one number)</source>
        <translation>bench [--master [--verbose]]   (hry počítače s pevným semínkem; s --master uzly „PC Velmistr“ do pevných hloubek; vypíše jedno číslo)</translation>
    </message>
    <message>
        <source>store list [KEYPATH] | store get KEYPATH NAME | store set KEYPATH NAME VALUE [--int] | store delete KEYPATH | store check   (NAME &quot;&quot; is the unnamed value; check lists what cannot be read; TOMELIN_STORE picks the file)</source>
        <translation>store list [KLÍČ] | store get KLÍČ NÁZEV | store set KLÍČ NÁZEV HODNOTA [--int] | store delete KLÍČ | store check   (NÁZEV &quot;&quot; je nepojmenovaná hodnota; check vypíše, co nelze přečíst; TOMELIN_STORE určuje soubor)</translation>
    </message>
    <message>
        <source>records [--pgn]   (--pgn: every stored record as a PGN game)</source>
        <translation>records [--pgn]   (--pgn: každý uložený záznam jako hra v PGN)</translation>
    </message>
    <message>
        <source>uai   (&quot;PC Velmistr&quot; as an engine of the standard game over the UAI protocol on standard input and output: positions as FEN, moves as f2, g1e3, 0000)</source>
        <translation>uai   („PC Velmistr“ jako engine standardní hry přes protokol UAI na standardním vstupu a výstupu: pozice jako FEN, tahy jako f2, g1e3, 0000)</translation>
    </message>
    <message>
        <source>tune generate --games N [--nodes M] [--seed S] [--random-plies R] | tune fit FILE [--epochs E]   (self-play positions as &quot;FEN;result&quot; lines, and the evaluation weights that predict their results best)</source>
        <translation>tune generate --games N [--nodes M] [--seed S] [--random-plies R] | tune fit SOUBOR [--epochs E]   (pozice z her počítače se sebou jako řádky „FEN;výsledek“ a váhy ohodnocení, které jejich výsledky předpovídají nejlépe)</translation>
    </message>
    <message>
        <source>help</source>
        <translation>help</translation>
    </message>
    <message>
        <source>no command given; try &quot;tomelin-cli help&quot;</source>
        <translation>nebyl zadán žádný příkaz; zkuste „tomelin-cli help“</translation>
    </message>
    <message>
        <source>--version takes no arguments</source>
        <translation>--version nebere žádné argumenty</translation>
    </message>
    <message>
        <source>unknown command %1; try &quot;tomelin-cli help&quot;</source>
        <translation>neznámý příkaz %1; zkuste „tomelin-cli help“</translation>
    </message>
    <message>
        <source>help takes no arguments</source>
        <translation>help nebere žádné argumenty</translation>
    </message>
    <message>
        <source>usage: tomelin-cli COMMAND [OPTIONS] | tomelin-cli --help | tomelin-cli --version</source>
        <translation>použití: tomelin-cli PŘÍKAZ [VOLBY] | tomelin-cli --help | tomelin-cli --version</translation>
    </message>
    <message>
        <source>Output: one record per line. play prints &quot;move &lt;k&gt; &lt;player&gt; &lt;sx&gt; &lt;sy&gt; &lt;tx&gt; &lt;ty&gt;&quot;, &quot;fill &lt;player-who-cannot-move&gt; &lt;cells&gt;&quot; and &quot;result &lt;tokens1&gt; &lt;tokens2&gt; &lt;winner 0|1|2&gt; &lt;moves&gt;&quot;.</source>
        <translation>Výstup: jeden záznam na řádek. play vypisuje „move &lt;k&gt; &lt;hráč&gt; &lt;sx&gt; &lt;sy&gt; &lt;tx&gt; &lt;ty&gt;“, „fill &lt;hráč-bez-tahu&gt; &lt;políčka&gt;“ a „result &lt;figurky1&gt; &lt;figurky2&gt; &lt;vítěz 0|1|2&gt; &lt;tahy&gt;“.</translation>
    </message>
</context>
<context>
    <name>keeping</name>
    <message>
        <source>the game cannot be kept: </source>
        <translation>hru nelze uchovat: </translation>
    </message>
    <message>
        <source>the store file is read-only</source>
        <translation>soubor úložiště je jen pro čtení</translation>
    </message>
    <message>
        <source>no usable store file</source>
        <translation>není použitelný soubor úložiště</translation>
    </message>
    <message>
        <source>the kept game is already being played by another program</source>
        <translation>uchovanou hru už hraje jiný program</translation>
    </message>
    <message>
        <source>no unfinished game is kept</source>
        <translation>žádná nedohraná hra není uchována</translation>
    </message>
    <message>
        <source>the kept game is damaged (%1) and was dropped</source>
        <translation>uchovaná hra je poškozená (%1) a byla zahozena</translation>
    </message>
    <message>
        <source>the game could not be kept</source>
        <translation>hru se nepodařilo uchovat</translation>
    </message>
    <message>
        <source> (status %1)</source>
        <translation> (stav %1)</translation>
    </message>
    <message>
        <source>the kept game could not be removed</source>
        <translation>uchovanou hru se nepodařilo odstranit</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>cannot write to standard output</source>
        <translation>nelze zapisovat na standardní výstup</translation>
    </message>
</context>
<context>
    <name>match</name>
    <message>
        <source>opponent must be beginner, pro or genius, not %1</source>
        <translation>soupeř musí být beginner, pro nebo genius, ne %1</translation>
    </message>
    <message>
        <source>clock must be cpu or wall, not %1</source>
        <translation>hodiny musí být cpu nebo wall, ne %1</translation>
    </message>
    <message>
        <source>weights must be three numbers from -10000 to 10000, not %1</source>
        <translation>váhy musí být tři čísla od -10000 do 10000, ne %1</translation>
    </message>
    <message>
        <source>board must be the name of a built-in board, not %1</source>
        <translation>hrací pole musí být název vestavěného hracího pole, ne %1</translation>
    </message>
    <message>
        <source>logic must be star or cross, not %1</source>
        <translation>logika pohybu musí být star nebo cross, ne %1</translation>
    </message>
    <message>
        <source>a built-in board cannot be played</source>
        <translation>na jednom z vestavěných hracích polí nelze hrát</translation>
    </message>
</context>
<context>
    <name>moves</name>
    <message>
        <source>strength must be 0, 1, 2, 3 or 4, not %1</source>
        <translation>síla musí být 0, 1, 2, 3 nebo 4, ne %1</translation>
    </message>
    <message>
        <source>--last needs four cell coordinates 0..15, not %1</source>
        <translation>--last potřebuje čtyři souřadnice políček 0..15, ne %1</translation>
    </message>
    <message>
        <source>movetime must be 1..600000 ms, not %1</source>
        <translation>movetime musí být 1..600000 ms, ne %1</translation>
    </message>
    <message>
        <source>depth must be 1..60, not %1</source>
        <translation>hloubka musí být 1..60, ne %1</translation>
    </message>
    <message>
        <source>depth %1 would search about %2 positions on this board and not finish in reasonable time; depths up to %3 run here</source>
        <translation>hloubka %1 by na tomto hracím poli prohledala asi %2 pozic a neskončila by v rozumném čase; zde běží hloubky do %3</translation>
    </message>
    <message>
        <source>moves needs --strength</source>
        <translation>moves potřebuje --strength</translation>
    </message>
    <message>
        <source>--last cell %1 is off the %2x%2 board</source>
        <translation>políčko %1 u --last leží mimo hrací pole %2x%2</translation>
    </message>
</context>
<context>
    <name>options</name>
    <message>
        <source>unknown option %1</source>
        <translation>neznámá volba %1</translation>
    </message>
    <message>
        <source>unexpected argument %1</source>
        <translation>nečekaný argument %1</translation>
    </message>
    <message>
        <source>option %1 given twice</source>
        <translation>volba %1 je zadána dvakrát</translation>
    </message>
    <message>
        <source>option %1 needs 1 value</source>
        <translation>volba %1 potřebuje 1 hodnotu</translation>
    </message>
    <message numerus="yes">
        <source>option %1 needs %n values</source>
        <translation>
            <numerusform>volba %1 potřebuje %n hodnotu</numerusform>
            <numerusform>volba %1 potřebuje %n hodnoty</numerusform>
            <numerusform>volba %1 potřebuje %n hodnot</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>… (%n characters)</source>
        <translation>
            <numerusform>… (%n znak)</numerusform>
            <numerusform>… (%n znaky)</numerusform>
            <numerusform>… (%n znaků)</numerusform>
        </translation>
    </message>
    <message>
        <source>a number of milliseconds</source>
        <translation>počet milisekund</translation>
    </message>
    <message>
        <source>a number</source>
        <translation>číslo</translation>
    </message>
    <message>
        <source>%1 must be %2 from %3 to %4, not %5</source>
        <translation>%1 musí být %2 od %3 do %4, ne %5</translation>
    </message>
</context>
<context>
    <name>perft</name>
    <message>
        <source>depth must be a number from 0 to %1, not %2</source>
        <translation>hloubka musí být číslo od 0 do %1, ne %2</translation>
    </message>
    <message>
        <source>perft needs --depth</source>
        <translation>perft potřebuje --depth</translation>
    </message>
    <message>
        <source>depth %1 would count about %2 move sequences on this board and not finish in reasonable time; depths up to %3 run here</source>
        <translation>hloubka %1 by na tomto hracím poli počítala asi %2 posloupností tahů a neskončila by v rozumném čase; zde běží hloubky do %3</translation>
    </message>
    <message>
        <source>time %1 s, %2 nodes/s</source>
        <translation>čas %1 s, %2 uzlů/s</translation>
    </message>
</context>
<context>
    <name>play</name>
    <message>
        <source>unknown board %1; &quot;tomelin-cli boards&quot; lists them</source>
        <translation>neznámé hrací pole %1; seznam vypíše „tomelin-cli boards“</translation>
    </message>
    <message>
        <source>logic must be star or cross, not %1</source>
        <translation>logika pohybu musí být star nebo cross, ne %1</translation>
    </message>
    <message>
        <source>level must be beginner, pro, genius or master, not %1</source>
        <translation>úroveň musí být beginner, pro, genius nebo master, ne %1</translation>
    </message>
    <message>
        <source>games must be a number from 1 to %1</source>
        <translation>počet her musí být číslo od 1 do %1</translation>
    </message>
    <message>
        <source>max-moves must be a number from 1 to 1000000</source>
        <translation>max-moves musí být číslo od 1 do 1000000</translation>
    </message>
    <message>
        <source>--pgn needs a file name</source>
        <translation>--pgn potřebuje název souboru</translation>
    </message>
    <message>
        <source>give either --board or --board-string, not both</source>
        <translation>zadejte buď --board, nebo --board-string, ne obojí</translation>
    </message>
    <message>
        <source>--resume plays the kept game as it was; %1 cannot change it</source>
        <translation>--resume hraje uchovanou hru tak, jak byla; %1 ji nemůže změnit</translation>
    </message>
    <message>
        <source>player %1 of the kept game is a person (%2); the tool plays computers only</source>
        <translation>%1. hráč uchované hry je člověk (%2); nástroj hraje jen za počítače</translation>
    </message>
    <message>
        <source>cannot write the PGN file %1</source>
        <translation>soubor PGN %1 nelze zapsat</translation>
    </message>
    <message>
        <source>writing the PGN file %1 failed</source>
        <translation>zápis souboru PGN %1 selhal</translation>
    </message>
    <message>
        <source>Nerozhodně (draw)</source>
        <translation>Nerozhodně</translation>
    </message>
    <message>
        <source>Vyhrál (winner): %1</source>
        <translation>Vyhrál: %1</translation>
    </message>
    <message>
        <source>Result %1 : %2 after %3 moves.</source>
        <translation>Výsledek %1 : %2 po %3. tahu.</translation>
    </message>
    <message>
        <source>the kept game cannot be resumed: </source>
        <translation>v uchované hře nelze pokračovat: </translation>
    </message>
    <message>
        <source>the board cannot be played</source>
        <translation>na hracím poli nelze hrát</translation>
    </message>
    <message>
        <source>Game %1, start:</source>
        <translation>Hra %1, začátek:</translation>
    </message>
    <message>
        <source>Tomelin: %1 (+) against %2 (-) on %3, %4 logic, seed %5</source>
        <translation>Tomelin: %1 (+) proti %2 (-), hrací pole: %3, logika pohybu: %4, semínko: %5</translation>
    </message>
    <message>
        <source>a custom board</source>
        <translation>vlastní</translation>
    </message>
    <message>
        <source>Hvězda (star)</source>
        <translation>Hvězda</translation>
    </message>
    <message>
        <source>Kříž (cross)</source>
        <translation>Kříž</translation>
    </message>
</context>
<context>
    <name>position</name>
    <message>
        <source>%1 takes --fen or --board-string with --player, not both</source>
        <translation>%1 bere --fen, nebo --board-string s --player, ne obojí</translation>
    </message>
    <message>
        <source>%1 needs --board-string</source>
        <translation>%1 potřebuje --board-string</translation>
    </message>
    <message>
        <source>%1 needs --player</source>
        <translation>%1 potřebuje --player</translation>
    </message>
    <message numerus="yes">
        <source>board string has %n characters; it must be n*n characters with 2 &lt;= n &lt;= 16</source>
        <translation>
            <numerusform>řetězec hracího pole má %n znak; musí mít n*n znaků, kde 2 &lt;= n &lt;= 16</numerusform>
            <numerusform>řetězec hracího pole má %n znaky; musí mít n*n znaků, kde 2 &lt;= n &lt;= 16</numerusform>
            <numerusform>řetězec hracího pole má %n znaků; musí mít n*n znaků, kde 2 &lt;= n &lt;= 16</numerusform>
        </translation>
    </message>
    <message>
        <source>board string may only hold the characters 0, X, + and -</source>
        <translation>řetězec hracího pole smí obsahovat jen znaky 0, X, + a -</translation>
    </message>
    <message>
        <source>bad FEN %1: %2</source>
        <translation>chybný FEN %1: %2</translation>
    </message>
    <message>
        <source>logic must be star or cross, not %1</source>
        <translation>logika pohybu musí být star nebo cross, ne %1</translation>
    </message>
    <message>
        <source>player must be 1 or 2, not %1</source>
        <translation>hráč musí být 1 nebo 2, ne %1</translation>
    </message>
</context>
<context>
    <name>records</name>
    <message>
        <source>records takes no arguments but --pgn</source>
        <translation>records nebere jiný argument než --pgn</translation>
    </message>
    <message>
        <source>note: record %1 is damaged and was skipped</source>
        <translation>poznámka: záznam %1 je poškozený a byl přeskočen</translation>
    </message>
</context>
<context>
    <name>show</name>
    <message>
        <source>Move %1: %2 (%3) copies %4 -&gt; %5</source>
        <translation>Tah %1: %2 (%3) kopíruje %4 -&gt; %5</translation>
    </message>
    <message>
        <source>Move %1: %2 (%3) jumps %4 -&gt; %5</source>
        <translation>Tah %1: %2 (%3) skáče %4 -&gt; %5</translation>
    </message>
    <message>
        <source>Player %1 cannot move: %2 free cells go to player %3</source>
        <translation>%1. hráč nemůže táhnout: volná políčka (%2) připadají %3. hráči</translation>
    </message>
    <message>
        <source>free:</source>
        <translation>volná:</translation>
    </message>
</context>
<context>
    <name>store</name>
    <message>
        <source>note: </source>
        <translation>poznámka: </translation>
    </message>
    <message>
        <source>the damaged file was moved to </source>
        <translation>poškozený soubor byl přesunut do </translation>
    </message>
    <message>
        <source>nothing will be kept</source>
        <translation>nic se neuloží</translation>
    </message>
    <message>
        <source>the store is read-only; changes are refused</source>
        <translation>úložiště je jen pro čtení; změny jsou odmítnuty</translation>
    </message>
    <message>
        <source>the change is refused: the store file cannot be used, so it would not be kept</source>
        <translation>změna je odmítnuta: soubor úložiště nelze použít, takže by se neuložila</translation>
    </message>
    <message>
        <source>%1 refused: %2</source>
        <translation>%1 odmítnut: %2</translation>
    </message>
    <message>
        <source>the store refused %1</source>
        <translation>úložiště odmítlo %1</translation>
    </message>
    <message>
        <source>store list takes at most one KEYPATH</source>
        <translation>store list bere nejvýš jeden KLÍČ</translation>
    </message>
    <message>
        <source>no key %1</source>
        <translation>klíč %1 neexistuje</translation>
    </message>
    <message>
        <source>store get needs KEYPATH NAME</source>
        <translation>store get potřebuje KLÍČ NÁZEV</translation>
    </message>
    <message>
        <source>value %1 has a type this program cannot read</source>
        <translation>hodnota %1 má typ, který tento program neumí přečíst</translation>
    </message>
    <message>
        <source>no value %1 in %2</source>
        <translation>hodnota %1 v %2 neexistuje</translation>
    </message>
    <message>
        <source>store set needs KEYPATH NAME VALUE [--int]</source>
        <translation>store set potřebuje KLÍČ NÁZEV HODNOTA [--int]</translation>
    </message>
    <message>
        <source>store set needs a KEYPATH</source>
        <translation>store set potřebuje KLÍČ</translation>
    </message>
    <message>
        <source>%1 is not a whole number for --int</source>
        <translation>%1 není celé číslo pro --int</translation>
    </message>
    <message>
        <source>the write</source>
        <translation>zápis</translation>
    </message>
    <message>
        <source>store delete needs one KEYPATH</source>
        <translation>store delete potřebuje jeden KLÍČ</translation>
    </message>
    <message>
        <source>store delete needs a KEYPATH below the root</source>
        <translation>store delete potřebuje KLÍČ pod kořenem</translation>
    </message>
    <message>
        <source>%1 has subkeys; delete them first</source>
        <translation>%1 má podklíče; nejprve smažte je</translation>
    </message>
    <message>
        <source>deleting %1</source>
        <translation>smazání %1</translation>
    </message>
    <message>
        <source>game %1 could not be recorded</source>
        <translation>hru %1 se nepodařilo zapsat do záznamů</translation>
    </message>
    <message>
        <source> (status %1)</source>
        <translation> (stav %1)</translation>
    </message>
    <message>
        <source>store check takes no arguments</source>
        <translation>store check nebere žádné argumenty</translation>
    </message>
    <message>
        <source>the store %1 cannot be read: %2</source>
        <translation>úložiště %1 nelze přečíst: %2</translation>
    </message>
    <message>
        <source>every entry can be read</source>
        <translation>každou položku lze přečíst</translation>
    </message>
    <message>
        <source>1 entry cannot be read or are not expected; nothing was changed</source>
        <translation>1 položku nelze přečíst nebo není očekávaná; nic nebylo změněno</translation>
    </message>
    <message numerus="yes">
        <source>%n entries cannot be read or are not expected; nothing was changed</source>
        <translation>
            <numerusform>%n položku nelze přečíst nebo není očekávaná; nic nebylo změněno</numerusform>
            <numerusform>%n položky nelze přečíst nebo nejsou očekávané; nic nebylo změněno</numerusform>
            <numerusform>%n položek nelze přečíst nebo nejsou očekávané; nic nebylo změněno</numerusform>
        </translation>
    </message>
    <message>
        <source>store needs list, get, set, delete or check</source>
        <translation>store potřebuje list, get, set, delete nebo check</translation>
    </message>
    <message>
        <source>unknown store command %1</source>
        <translation>neznámý příkaz úložiště %1</translation>
    </message>
    <message>
        <source>games cannot be recorded: </source>
        <translation>hry nelze zapsat do záznamů: </translation>
    </message>
    <message>
        <source>the store file is read-only</source>
        <translation>soubor úložiště je jen pro čtení</translation>
    </message>
    <message>
        <source>no usable store file</source>
        <translation>není použitelný soubor úložiště</translation>
    </message>
</context>
<context>
    <name>tune</name>
    <message>
        <source>%1 must be a number from %2 to %3, not %4</source>
        <translation>%1 musí být číslo od %2 do %3, ne %4</translation>
    </message>
    <message>
        <source>tune generate needs --games N</source>
        <translation>tune generate potřebuje --games N</translation>
    </message>
    <message>
        <source>%1 games, %2 positions</source>
        <translation>her: %1, pozic: %2</translation>
    </message>
    <message>
        <source>tune fit needs a file of &quot;FEN;result&quot; lines</source>
        <translation>tune fit potřebuje soubor s řádky „FEN;výsledek“</translation>
    </message>
    <message>
        <source>cannot read %1</source>
        <translation>nelze přečíst %1</translation>
    </message>
    <message>
        <source>line %1 of %2 is not &quot;FEN;result&quot; with a result 0, 0.5 or 1</source>
        <translation>řádek %1 souboru %2 není „FEN;výsledek“ s výsledkem 0, 0.5 nebo 1</translation>
    </message>
    <message>
        <source>no position to fit in %1</source>
        <translation>v %1 není žádná pozice k proložení</translation>
    </message>
    <message>
        <source>epoch %1 loss %2</source>
        <translation>epocha %1 ztráta %2</translation>
    </message>
    <message>
        <source>tune generate --games N [...] | tune fit FILE [--epochs E]</source>
        <translation>tune generate --games N [...] | tune fit SOUBOR [--epochs E]</translation>
    </message>
</context>
<context>
    <name>uai</name>
    <message>
        <source>uai takes no arguments; it reads the protocol&apos;s commands on standard input</source>
        <translation>uai nebere žádné argumenty; příkazy protokolu čte ze standardního vstupu</translation>
    </message>
</context>
</TS>
