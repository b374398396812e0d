<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="cs" sourcelanguage="cs">
<context>
    <name>StoreCheck</name>
    <message numerus="yes">
        <source>%n záznamů her</source>
        <translation>
            <numerusform>%n záznam hry</numerusform>
            <numerusform>%n záznamy her</numerusform>
            <numerusform>%n záznamů her</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hracích polí</source>
        <translation>
            <numerusform>%n hrací pole</numerusform>
            <numerusform>%n hrací pole</numerusform>
            <numerusform>%n hracích polí</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Survey</name>
    <message numerus="yes">
        <source>Vyhrál		%n her</source>
        <translation>
            <numerusform>Vyhrál		%n hru</numerusform>
            <numerusform>Vyhrál		%n hry</numerusform>
            <numerusform>Vyhrál		%n her</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Prohrál		%n her</source>
        <translation>
            <numerusform>Prohrál		%n hru</numerusform>
            <numerusform>Prohrál		%n hry</numerusform>
            <numerusform>Prohrál		%n her</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Celkem odehrál	%n her</source>
        <translation>
            <numerusform>Celkem odehrál	%n hru</numerusform>
            <numerusform>Celkem odehrál	%n hry</numerusform>
            <numerusform>Celkem odehrál	%n her</numerusform>
        </translation>
    </message>
</context>
</TS>
