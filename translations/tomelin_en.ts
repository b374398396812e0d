<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="cs">
<context>
    <name>AboutWindow</name>
    <message>
        <source>O programu...</source>
        <translation>About...</translation>
    </message>
    <message>
        <source>Verze 1.55</source>
        <translation>Version 1.55</translation>
    </message>
    <message>
        <source>20.01. 2001</source>
        <translation>20 January 2001</translation>
    </message>
    <message>
        <source>Hru, její grafiku i hudbu pro Linux připravil tým projektu Tomelin.</source>
        <translation>The game, its graphics and its music for Linux were made by the Tomelin project team.</translation>
    </message>
    <message>
        <source>Veškeré dotazy rád zodpovím a nahlášené chyby samozřejmě opravím.</source>
        <translation>I will gladly answer every question, and of course fix the faults reported.</translation>
    </message>
    <message>
        <source>Na tento e-mail mi, prosím, pište Vaše náměty a připomínky, zprávy o chybách, o Vašich úspěších při hře s počítačem :</source>
        <translation>Please write to this address with your ideas and comments, reports of faults and of your successes against the computer:</translation>
    </message>
    <message>
        <source>Mé stránky :</source>
        <translation>My pages:</translation>
    </message>
    <message>
        <source>Pravidla a nápověda ke hře</source>
        <translation>Rules and help for the game</translation>
    </message>
    <message>
        <source>Jazyk:</source>
        <translation>Language:</translation>
    </message>
    <message>
        <source>Volbu jazyka nelze uložit.</source>
        <translation>The language chosen cannot be saved.</translation>
    </message>
    <message>
        <source>Jazyk se změní při příštím spuštění.</source>
        <translation>The language changes at the next start.</translation>
    </message>
</context>
<context>
    <name>BoardChooser</name>
    <message>
        <source>Hrací pole</source>
        <translation>Board</translation>
    </message>
    <message>
        <source>Editor</source>
        <translation>Editor</translation>
    </message>
    <message>
        <source>Nové pole</source>
        <translation>New board</translation>
    </message>
    <message>
        <source>Nelze smazat</source>
        <translation>Cannot delete</translation>
    </message>
</context>
<context>
    <name>BoardEditor</name>
    <message>
        <source>Není žádné volné políčko.</source>
        <translation>There is no free cell.</translation>
    </message>
    <message>
        <source>Nejsou žádné figurky hráče 1</source>
        <translation>Player 1 has no tokens</translation>
    </message>
    <message>
        <source>Nejsou žádné figurky hráče 2</source>
        <translation>Player 2 has no tokens</translation>
    </message>
    <message>
        <source>Editor</source>
        <translation>Editor</translation>
    </message>
    <message>
        <source>Jméno :</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Uložit</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Zrcadlo</source>
        <translation>Mirror</translation>
    </message>
    <message>
        <source>Nové pole</source>
        <translation>New board</translation>
    </message>
    <message>
        <source>Nelze uložit</source>
        <translation>Cannot save</translation>
    </message>
    <message>
        <source>Hrací pole se nepodařilo zapsat do úložiště.</source>
        <translation>The board could not be written to the store.</translation>
    </message>
    <message>
        <source>Pro toto hrací pole není v úložišti místo.</source>
        <translation>There is no room in the store for this board.</translation>
    </message>
    <message>
        <source>Jméno hracího pole je příliš dlouhé.</source>
        <translation>The board&apos;s name is too long.</translation>
    </message>
    <message>
        <source>Uloženo</source>
        <translation>Saved</translation>
    </message>
    <message>
        <source>Jméno pole</source>
        <translation>Board name</translation>
    </message>
    <message>
        <source>Velikost pole</source>
        <translation>Board size</translation>
    </message>
    <message>
        <source>Strana pole</source>
        <translation>Board side</translation>
    </message>
    <message>
        <source>Plocha pole</source>
        <translation>Board area</translation>
    </message>
</context>
<context>
    <name>Boards</name>
    <message>
        <source>Hrací pole se jménem „%1“ už existuje. Zvolte jiné jméno.</source>
        <translation>A board named “%1” already exists. Choose another name.</translation>
    </message>
    <message>
        <source>%1 (poškozené – nelze hrát)</source>
        <translation>%1 (damaged – cannot be played)</translation>
    </message>
    <message>
        <source>Hrací pole „%1“ je v úložišti poškozené: nelze na něm hrát ani ho upravit, aniž by se změnilo. Můžete ho smazat (Editor → Smazat pole).</source>
        <translation>The board “%1” is damaged in the store: it can be neither played nor edited without being changed. You can delete it (Editor → Delete board).</translation>
    </message>
    <message>
        <source>Nelze přidat pole</source>
        <translation>Cannot add a board</translation>
    </message>
    <message>
        <source>Všech 99 míst pro uložená hrací pole je obsazeno. Smažte nejprve některé pole.</source>
        <translation>All 99 places for saved boards are taken. Delete a board first.</translation>
    </message>
    <message>
        <source>Poškozené hrací pole</source>
        <translation>Damaged board</translation>
    </message>
    <message>
        <source>Originál</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>Dáma</source>
        <translation>Draughts</translation>
    </message>
    <message>
        <source>Čelem vzad</source>
        <translation>About Turn</translation>
    </message>
    <message>
        <source>Bitva</source>
        <translation>Battle</translation>
    </message>
    <message>
        <source>Špionáž</source>
        <translation>Espionage</translation>
    </message>
    <message>
        <source>(bez jména)</source>
        <translation>(no name)</translation>
    </message>
</context>
<context>
    <name>FileDialog</name>
    <message>
        <source>Složka</source>
        <translation>Folder</translation>
    </message>
</context>
<context>
    <name>GameKeeper</name>
    <message>
        <source>chyba souboru</source>
        <translation>file error</translation>
    </message>
    <message>
        <source>Rozehranou hru nelze uložit: </source>
        <translation>The unfinished game cannot be kept: </translation>
    </message>
    <message>
        <source>Výsledek hry nelze uložit: </source>
        <translation>The game&apos;s result cannot be saved: </translation>
    </message>
</context>
<context>
    <name>GameWindow</name>
    <message>
        <source>Hrací pole</source>
        <translation>Board</translation>
    </message>
    <message>
        <source>Šipky posouvají kurzor, mezerník nebo Insert vybírá políčko, Z vrací tah, Y ho vrací zpět, N ukáže radu.</source>
        <translation>The arrow keys move the cursor, Space or Insert chooses a cell, Z takes a move back, Y plays it again, N shows a hint.</translation>
    </message>
    <message>
        <source>%1, hráč %2</source>
        <extracomment>What a screen reader says of a board cell holding a token: the square, the player.</extracomment>
        <translation>%1, player %2</translation>
    </message>
    <message>
        <source>%1, hráč %2 (%3)</source>
        <extracomment>What a screen reader says of a board cell holding a token: the square, the player, the player&apos;s name.</extracomment>
        <translation>%1, player %2 (%3)</translation>
    </message>
    <message>
        <source>%1, volné</source>
        <extracomment>What a screen reader says of an empty board cell.</extracomment>
        <translation>%1, empty</translation>
    </message>
    <message>
        <source>%1, mimo hru</source>
        <extracomment>What a screen reader says of a board cell that is not played on (a hole).</extracomment>
        <translation>%1, not in play</translation>
    </message>
</context>
<context>
    <name>LogicChooser</name>
    <message>
        <source>Logika pohybu</source>
        <translation>Movement logic</translation>
    </message>
    <message>
        <source>Hvězda</source>
        <translation>Star</translation>
    </message>
    <message>
        <source>Kříž</source>
        <translation>Cross</translation>
    </message>
    <message>
        <source>Plně: kopie, rámeček: skok</source>
        <translation>Filled: copy, framed: jump</translation>
    </message>
</context>
<context>
    <name>MusicWindow</name>
    <message>
        <source>Hudba ke Tomelinu</source>
        <translation>Music for Tomelin</translation>
    </message>
    <message>
        <source>Skladby</source>
        <translation>Songs</translation>
    </message>
    <message>
        <source>Místo ve skladbě</source>
        <translation>Place in the song</translation>
    </message>
    <message>
        <source>(Ticho)</source>
        <translation>(Silence)</translation>
    </message>
</context>
<context>
    <name>PlayerPanel</name>
    <message>
        <source>Hráč</source>
        <translation>Player</translation>
    </message>
    <message>
        <source>Člověk</source>
        <translation>Person</translation>
    </message>
    <message>
        <source>Počítač</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>Jméno</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Jméno:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Jméno %1. hráče</source>
        <translation>Name of player %1</translation>
    </message>
    <message>
        <source>Čas na hru:</source>
        <translation>Time for the game:</translation>
    </message>
    <message>
        <source>Čas na hru %1. hráče</source>
        <translation>Time for the game of player %1</translation>
    </message>
    <message>
        <source>Inteligence počítače</source>
        <translation>Computer&apos;s strength</translation>
    </message>
    <message>
        <source>Začátečník</source>
        <translation>Beginner</translation>
    </message>
    <message>
        <source>Profesionál</source>
        <translation>Professional</translation>
    </message>
    <message>
        <source>Génius</source>
        <translation>Genius</translation>
    </message>
    <message>
        <source>Velmistr</source>
        <translation>Grandmaster</translation>
    </message>
    <message>
        <source>Figurka %1. hráče</source>
        <translation>Token of player %1</translation>
    </message>
    <message>
        <source>Změnit figurku</source>
        <translation>Change the token</translation>
    </message>
</context>
<context>
    <name>Players</name>
    <message>
        <source>PC Začátečník</source>
        <translation>PC Beginner</translation>
    </message>
    <message>
        <source>PC Profesionál</source>
        <translation>PC Professional</translation>
    </message>
    <message>
        <source>PC Génius</source>
        <translation>PC Genius</translation>
    </message>
    <message>
        <source>PC Velmistr</source>
        <translation>PC Grandmaster</translation>
    </message>
    <message>
        <source>Hráč 1</source>
        <translation>Player 1</translation>
    </message>
    <message>
        <source>Hráč 2</source>
        <translation>Player 2</translation>
    </message>
</context>
<context>
    <name>RecordsViewer</name>
    <message>
        <source>Záznamy</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>Záznamy hráče</source>
        <translation>Player&apos;s records</translation>
    </message>
    <message>
        <source>Seznam výsledků všech her</source>
        <translation>Results of all games</translation>
    </message>
    <message>
        <source>Zatím nejsou žádné záznamy výsledků</source>
        <translation>There are no recorded results yet</translation>
    </message>
    <message>
        <source>Přehled</source>
        <translation>Overview</translation>
    </message>
    <message>
        <source>Posun záznamů</source>
        <translation>Record shown</translation>
    </message>
</context>
<context>
    <name>ResultPanel</name>
    <message>
        <source>Nerozhodně</source>
        <translation>Draw</translation>
    </message>
</context>
<context>
    <name>ResumeOffer</name>
    <message>
        <source>Rozehraná hra: </source>
        <translation>Unfinished game: </translation>
    </message>
    <message>
        <source>Pokračovat ve hře</source>
        <translation>Resume the game</translation>
    </message>
</context>
<context>
    <name>ScoreStrip</name>
    <message>
        <source>%1. TAH</source>
        <translation>MOVE%1</translation>
    </message>
    <message>
        <source>Vyrovnáno</source>
        <translation>Even</translation>
    </message>
</context>
<context>
    <name>SetupMenus</name>
    <message>
        <source>Zmenšit okno</source>
        <translation>Smaller window</translation>
    </message>
    <message>
        <source>Zvětšit okno</source>
        <translation>Larger window</translation>
    </message>
    <message>
        <source>Editor</source>
        <translation>Editor</translation>
    </message>
    <message>
        <source>Přidat pole</source>
        <translation>Add a board</translation>
    </message>
    <message>
        <source>Editovat pole</source>
        <translation>Edit the board</translation>
    </message>
    <message>
        <source>Smazat pole</source>
        <translation>Delete the board</translation>
    </message>
    <message>
        <source>Opravdu smazat?</source>
        <translation>Really delete?</translation>
    </message>
    <message>
        <source>ANO</source>
        <translation>YES</translation>
    </message>
    <message>
        <source>Opravdu?</source>
        <translation>Really?</translation>
    </message>
    <message>
        <source>Restartovat hru</source>
        <translation>Restart the game</translation>
    </message>
    <message>
        <source>Novou hru</source>
        <translation>New game</translation>
    </message>
    <message>
        <source>Opravdu skončit?</source>
        <translation>Really quit?</translation>
    </message>
    <message>
        <source>Opravdu skončit</source>
        <translation>Really quit</translation>
    </message>
</context>
<context>
    <name>SetupTitleStrip</name>
    <message>
        <source>O programu</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Hudba</source>
        <translation>Music</translation>
    </message>
</context>
<context>
    <name>SetupWindow</name>
    <message>
        <source>Zatím nejsou žádné záznamy výsledků</source>
        <translation>There are no recorded results yet</translation>
    </message>
    <message>
        <source>Oba hráči mají stejnou figurku.
Změňte tvar nebo barvu figurky jednoho z&#xa0;nich.</source>
        <translation>Both players have the same token.
Change the shape or the colour of one of them.</translation>
    </message>
    <message>
        <source>START</source>
        <translation>START</translation>
    </message>
    <message>
        <source>Záznamy her</source>
        <translation>Game records</translation>
    </message>
    <message>
        <source>1. hráč</source>
        <translation>Player 1</translation>
    </message>
    <message>
        <source>2. hráč</source>
        <translation>Player 2</translation>
    </message>
</context>
<context>
    <name>Songs</name>
    <message>
        <source>Bratře Kubo</source>
        <translation>Brother John</translation>
    </message>
    <message>
        <source>Kočka leze dírou</source>
        <translation>The Cat Creeps Through the Hole</translation>
    </message>
    <message>
        <source>Skákal pes</source>
        <translation>The Dog Went Jumping</translation>
    </message>
    <message>
        <source>Zelené rukávy</source>
        <translation>Greensleeves</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>Nahrávám...</source>
        <translation>Loading...</translation>
    </message>
    <message>
        <source>Načítám hudbu...</source>
        <translation>Loading the music...</translation>
    </message>
    <message>
        <source>Načítám pole...</source>
        <translation>Loading the boards...</translation>
    </message>
    <message>
        <source>Načítám záznamy...</source>
        <translation>Loading the records...</translation>
    </message>
    <message>
        <source>Načítám grafiku...</source>
        <translation>Loading the graphics...</translation>
    </message>
    <message>
        <source>Nastavuji okna...</source>
        <translation>Setting up the windows...</translation>
    </message>
    <message>
        <source>%1, %2. tah</source>
        <translation>%1, move %2</translation>
    </message>
    <message>
        <source>Rozehranou hru se nepodařilo načíst, a proto byla zahozena.</source>
        <translation>The unfinished game could not be read and was therefore dropped.</translation>
    </message>
    <message>
        <source>Rozehranou hru právě hraje jiné okno Tomelinu.</source>
        <translation>Another Tomelin window is playing the unfinished game.</translation>
    </message>
</context>
<context>
    <name>Store</name>
    <message>
        <source>pomocný soubor „</source>
        <translation>the companion file “</translation>
    </message>
    <message>
        <source>“ nelze zapisovat (patří jinému uživateli nebo je jen pro čtení)</source>
        <translation>” cannot be written (it belongs to another user or is read-only)</translation>
    </message>
    <message>
        <source>soubor je poškozený</source>
        <translation>the file is damaged</translation>
    </message>
    <message>
        <source>soubor příliš dlouho používá jiný program</source>
        <translation>another program has been using the file for too long</translation>
    </message>
    <message>
        <source>chyba při zápisu na disk</source>
        <translation>an error writing to the disk</translation>
    </message>
    <message>
        <source>soubor nelze otevřít pro zápis</source>
        <translation>the file cannot be opened for writing</translation>
    </message>
    <message>
        <source>na disku není volné místo</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>disk je připojen jen pro čtení</source>
        <translation>the disk is mounted read-only</translation>
    </message>
    <message>
        <source>soubor je jen pro čtení nebo patří jinému uživateli</source>
        <translation>the file is read-only or belongs to another user</translation>
    </message>
    <message>
        <source>do složky „</source>
        <translation>the folder “</translation>
    </message>
    <message>
        <source>“ nelze zapisovat</source>
        <translation>” cannot be written to</translation>
    </message>
    <message>
        <source>Soubor s uloženými hracími poli a záznamy her </source>
        <translation>The file of saved boards and game records </translation>
    </message>
    <message>
        <source> je poškozený a nelze jej přesunout stranou. Uložená hrací pole a záznamy her jsou k dispozici, ale nová hrací pole a výsledky her nelze uložit.</source>
        <translation> is damaged and cannot be moved aside. The saved boards and game records are at hand, but new boards and game results cannot be saved.</translation>
    </message>
    <message>
        <source> byl poškozený. Byl přesunut do souboru „</source>
        <translation> was damaged. It was moved to “</translation>
    </message>
    <message>
        <source>“ a program </source>
        <translation>” and the program </translation>
    </message>
    <message>
        <source>pokračuje s novým, prázdným souborem.</source>
        <translation>goes on with a new, empty file.</translation>
    </message>
    <message>
        <source>pokračuje bez souboru; nová hrací pole a výsledky her se do konce běhu programu neuloží.</source>
        <translation>goes on without a file; new boards and game results will not be saved until the program ends.</translation>
    </message>
    <message>
        <source> Nová hrací pole a výsledky her se do konce běhu programu neuloží.</source>
        <translation> New boards and game results will not be saved until the program ends.</translation>
    </message>
    <message>
        <source>“ a program začíná s novým, prázdným souborem.</source>
        <translation>” and the program starts with a new, empty file.</translation>
    </message>
    <message>
        <source>Do souboru s uloženými hracími poli a záznamy her </source>
        <translation>The file of saved boards and game records </translation>
    </message>
    <message>
        <source> nelze zapisovat (</source>
        <translation> cannot be written (</translation>
    </message>
    <message>
        <source>). Uložená hrací pole a záznamy her jsou k dispozici, ale nová hrací pole a výsledky her nelze uložit.</source>
        <translation>). The saved boards and game records are at hand, but new boards and game results cannot be saved.</translation>
    </message>
    <message>
        <source> nelze přečíst (chybí oprávnění). Soubor zůstává beze změny na svém místě.</source>
        <translation> cannot be read (permission is missing). The file stays in its place unchanged.</translation>
    </message>
    <message>
        <source>Soubor </source>
        <translation>The file </translation>
    </message>
    <message>
        <source> není soubor s hracími poli a záznamy her Tomelinu, ale databáze jiného programu. Zůstává beze změny.</source>
        <translation> is not a file of Tomelin&apos;s boards and game records but another program&apos;s database. It stays unchanged.</translation>
    </message>
    <message>
        <source>Soubor s hracími poli a záznamy her </source>
        <translation>The file of boards and game records </translation>
    </message>
    <message>
        <source> uložila novější verze Tomelinu. Zůstává beze změny.</source>
        <translation> was written by a newer version of Tomelin. It stays unchanged.</translation>
    </message>
    <message>
        <source> nelze vytvořit.</source>
        <translation> cannot be created.</translation>
    </message>
    <message>
        <source> příliš dlouho používá jiný program.</source>
        <translation> has been used by another program for too long.</translation>
    </message>
    <message>
        <source> nelze použít.</source>
        <translation> cannot be used.</translation>
    </message>
    <message>
        <source>„%1“</source>
        <extracomment>A file&apos;s name in quotation marks, as the language writes them.</extracomment>
        <translation>“%1”</translation>
    </message>
</context>
<context>
    <name>StoreCheck</name>
    <message numerus="yes">
        <source>%n záznamů her</source>
        <translation>
            <numerusform>%n game record</numerusform>
            <numerusform>%n game records</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hracích polí</source>
        <translation>
            <numerusform>%n board</numerusform>
            <numerusform>%n boards</numerusform>
        </translation>
    </message>
    <message>
        <source> a </source>
        <translation> and </translation>
    </message>
    <message>
        <source>V souboru s uloženými hracími poli a záznamy her „%1“ nelze přečíst %2. Zůstávají v souboru beze změny; vypíše je příkaz „tomelin-cli store check“.</source>
        <translation>In the file of saved boards and game records “%1”, %2 cannot be read. They stay in the file unchanged; the command “tomelin-cli store check” lists them.</translation>
    </message>
</context>
<context>
    <name>Survey</name>
    <message numerus="yes">
        <source>Vyhrál		%n her</source>
        <translation>
            <numerusform>Won		%n game</numerusform>
            <numerusform>Won		%n games</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Prohrál		%n her</source>
        <translation>
            <numerusform>Lost		%n game</numerusform>
            <numerusform>Lost		%n games</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Celkem odehrál	%n her</source>
        <translation>
            <numerusform>Played in all	%n game</numerusform>
            <numerusform>Played in all	%n games</numerusform>
        </translation>
    </message>
    <message>
        <source>Úspěšnost	</source>
        <translation>Success	</translation>
    </message>
    <message>
        <source>Nejsou záznamy žádného</source>
        <translation>There are no records</translation>
    </message>
    <message>
        <source>konkrétního hráče.</source>
        <translation>of any named player.</translation>
    </message>
    <message>
        <source>Neomezeně</source>
        <translation>Unlimited</translation>
    </message>
    <message>
        <source>90 minut</source>
        <translation>90 minutes</translation>
    </message>
    <message>
        <source>60 minut</source>
        <translation>60 minutes</translation>
    </message>
    <message>
        <source>30 minut</source>
        <translation>30 minutes</translation>
    </message>
    <message>
        <source>10 minut</source>
        <translation>10 minutes</translation>
    </message>
    <message>
        <source>Hrací pole	</source>
        <translation>Board	</translation>
    </message>
    <message>
        <source>1. hráč		</source>
        <translation>Player 1		</translation>
    </message>
    <message>
        <source>2. hráč		</source>
        <translation>Player 2		</translation>
    </message>
    <message>
        <source>Logika pohybu	</source>
        <translation>Movement logic	</translation>
    </message>
    <message>
        <source>Hvězda</source>
        <translation>Star</translation>
    </message>
    <message>
        <source>Kříž</source>
        <translation>Cross</translation>
    </message>
    <message>
        <source>Počet tahů	</source>
        <translation>Moves	</translation>
    </message>
    <message>
        <source>Vítěz		</source>
        <translation>Winner		</translation>
    </message>
    <message>
        <source>Čas na hru 1. h.	</source>
        <translation>Time, player 1	</translation>
    </message>
    <message>
        <source>Čas na hru 2. h.	</source>
        <translation>Time, player 2	</translation>
    </message>
</context>
<context>
    <name>TokenChooser</name>
    <message>
        <source>Výběr figurky hráče</source>
        <translation>Token of player</translation>
    </message>
    <message>
        <source>Tvar žetonu</source>
        <translation>Token shape</translation>
    </message>
    <message>
        <source>Tuto figurku už má %1. hráč.</source>
        <translation>Player %1 already has this token.</translation>
    </message>
    <message>
        <source>Obdélník</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <source>Trojúhelník</source>
        <translation>Triangle</translation>
    </message>
    <message>
        <source>Šestiúhelník</source>
        <translation>Hexagon</translation>
    </message>
    <message>
        <source>Čtverečky</source>
        <translation>Squares</translation>
    </message>
    <message>
        <source>Ovál</source>
        <translation>Oval</translation>
    </message>
    <message>
        <source>Hvězda</source>
        <translation>Star</translation>
    </message>
    <message>
        <source>Kroužky</source>
        <translation>Rings</translation>
    </message>
    <message>
        <source>Políčko</source>
        <translation>Cell</translation>
    </message>
    <message>
        <source>Výběr figurky</source>
        <translation>Choose a token</translation>
    </message>
    <message>
        <source>Náhled figurky</source>
        <translation>Token preview</translation>
    </message>
    <message>
        <source>Červená</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Zelená</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>Modrá</source>
        <translation>Blue</translation>
    </message>
</context>
<context>
    <name>WindowChrome</name>
    <message>
        <source>Zavřít</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Hudba</source>
        <translation>Music</translation>
    </message>
    <message>
        <source>Pauza-Minimalizovat</source>
        <translation>Pause-Minimise</translation>
    </message>
    <message>
        <source>Restart hry</source>
        <translation>Restart the game</translation>
    </message>
    <message>
        <source>Nová hra</source>
        <translation>New game</translation>
    </message>
    <message>
        <source>Vrátit tah</source>
        <translation>Take back a move</translation>
    </message>
    <message>
        <source>O programu</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Nelze vrátit zpět </source>
        <translation>Nothing to take back </translation>
    </message>
    <message>
        <source>Velikost okna</source>
        <translation>Window size</translation>
    </message>
    <message>
        <source>Opravdu?</source>
        <translation>Really?</translation>
    </message>
    <message>
        <source>Restartovat hru</source>
        <translation>Restart the game</translation>
    </message>
    <message>
        <source>Novou hru</source>
        <translation>New game</translation>
    </message>
    <message>
        <source>Opravdu skončit?</source>
        <translation>Really quit?</translation>
    </message>
    <message>
        <source>Opravdu skončit</source>
        <translation>Really quit</translation>
    </message>
    <message>
        <source>Zmenšit okno</source>
        <translation>Smaller window</translation>
    </message>
    <message>
        <source>Zvětšit okno</source>
        <translation>Larger window</translation>
    </message>
</context>
<context>
    <name>tomelin::BoardEditor</name>
    <message>
        <source>FEN :</source>
        <translation>FEN:</translation>
    </message>
    <message>
        <source>Pozice ve formátu FEN</source>
        <translation>Position in FEN</translation>
    </message>
    <message>
        <source>Načíst FEN</source>
        <translation>Load FEN</translation>
    </message>
    <message>
        <source>Nelze načíst</source>
        <translation>Cannot load</translation>
    </message>
    <message>
        <source>Text není pozice ve formátu FEN. Zapište řádky pole shora oddělené lomítkem (x a o kameny hráčů, - díra, číslice počet volných polí), za mezerou hráče na tahu (x nebo o), například x5o/7/7/7/7/7/o5x x.</source>
        <translation>The text is not a position in FEN. Write the board&apos;s rows from the top separated by slashes (x and o the players&apos; tokens, - a hole, a digit the number of free cells), then after a space the side to move (x or o), for example x5o/7/7/7/7/7/o5x x.</translation>
    </message>
</context>
<context>
    <name>tomelin::EngineClient</name>
    <message>
        <source>Program %1 se nepodařilo spustit.</source>
        <translation>The program %1 could not be started.</translation>
    </message>
    <message>
        <source>Program %1 neodpověděl jako engine protokolu UAI (uaiok, readyok).</source>
        <translation>The program %1 did not answer as a UAI engine (uaiok, readyok).</translation>
    </message>
    <message>
        <source>Engine %1 nečekaně skončil.</source>
        <translation>The engine %1 quit unexpectedly.</translation>
    </message>
    <message>
        <source>Engine %1 neposlal tah v daném čase a byl ukončen.</source>
        <translation>The engine %1 sent no move in its time and was stopped.</translation>
    </message>
    <message>
        <source>Engine %1 poslal nepovolený tah „%2“ a byl ukončen.</source>
        <translation>The engine %1 sent the illegal move “%2” and was stopped.</translation>
    </message>
</context>
<context>
    <name>tomelin::GameWindow</name>
    <message>
        <source>Kopírovat pozici jako FEN</source>
        <translation>Copy position as FEN</translation>
    </message>
</context>
<context>
    <name>tomelin::PlayerPanel</name>
    <message>
        <source>Engine UAI</source>
        <translation>UAI engine</translation>
    </message>
    <message>
        <source>Engine UAI %1. hráče</source>
        <translation>UAI engine of player %1</translation>
    </message>
    <message>
        <source>Engine %1. hráče</source>
        <translation>Engine of player %1</translation>
    </message>
    <message>
        <source>Vybrat…</source>
        <translation>Choose…</translation>
    </message>
    <message>
        <source>Vybrat program enginu %1. hráče</source>
        <translation>Choose the engine program of player %1</translation>
    </message>
</context>
<context>
    <name>tomelin::RecordsViewer</name>
    <message>
        <source>Uložit záznam do PGN…</source>
        <translation>Save record as PGN…</translation>
    </message>
    <message>
        <source>Uložit všechny do PGN…</source>
        <translation>Save all as PGN…</translation>
    </message>
    <message>
        <source>Uložit všechny záznamy do PGN</source>
        <translation>Save all records as PGN</translation>
    </message>
    <message>
        <source>Uložit záznam do PGN</source>
        <translation>Save record as PGN</translation>
    </message>
    <message>
        <source>Partie PGN (*.pgn);;Všechny soubory (*)</source>
        <translation>PGN games (*.pgn);;All files (*)</translation>
    </message>
    <message>
        <source>Soubor %1 se nepodařilo uložit: %2</source>
        <translation>The file %1 could not be saved: %2</translation>
    </message>
</context>
<context>
    <name>tomelin::SetupWindow</name>
    <message>
        <source>Engine protokolu UAI hraje jen s logikou pohybu Hvězda.</source>
        <translation>A UAI engine plays only with the Star movement logic.</translation>
    </message>
    <message>
        <source>Engine protokolu UAI hraje jen na polích, která zapíše FEN (nejvýše 7 × 7).</source>
        <translation>A UAI engine plays only on boards FEN can write (7 × 7 at most).</translation>
    </message>
    <message>
        <source>Vyberte program enginu UAI</source>
        <translation>Choose a UAI engine program</translation>
    </message>
    <message>
        <source>Engine %1 se nepodařilo zapsat do úložiště.</source>
        <translation>The engine %1 could not be written to the store.</translation>
    </message>
    <message>
        <source>Vyberte program enginu tlačítkem „Vybrat…“.</source>
        <translation>Choose the engine&apos;s program with the “Choose…” button.</translation>
    </message>
</context>
</TS>
