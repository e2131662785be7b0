<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Velmora</name>
    <message>
        <source>%lld</source>
        <translation>%lld</translation>
    </message>
    <message>
        <source>%lld mines left|one</source>
        <translation>%lld mine restante</translation>
    </message>
    <message>
        <source>%lld mines left|other</source>
        <translation>%lld mines restantes</translation>
    </message>
    <message>
        <source>%lld mines nearby|one</source>
        <translation>%lld mine à proximité</translation>
    </message>
    <message>
        <source>%lld mines nearby|other</source>
        <translation>%lld mines à proximité</translation>
    </message>
    <message>
        <source>Abandon this game?</source>
        <translation>Abandonner cette partie ?</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Plateau</translation>
    </message>
    <message>
        <source>Board Cleared</source>
        <translation>Plateau dégagé</translation>
    </message>
    <message>
        <source>Board Cleared. Time: %@</source>
        <translation>Plateau dégagé. Temps : %@</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Classic Indigo</source>
        <translation>Indigo classique</translation>
    </message>
    <message>
        <source>Covered tile, theme: %@</source>
        <translation>Case couverte, thème : %@</translation>
    </message>
    <message>
        <source>Flag Mode: a click flags a tile</source>
        <translation>Mode drapeau : un clic pose un drapeau</translation>
    </message>
    <message>
        <source>Flag mode</source>
        <translation>Mode drapeau</translation>
    </message>
    <message>
        <source>Hint</source>
        <translation>Indice</translation>
    </message>
    <message>
        <source>Hint (H)</source>
        <translation>Indice (H)</translation>
    </message>
    <message>
        <source>Hint used: time not recorded</source>
        <translation>Indice utilisé : temps non enregistré</translation>
    </message>
    <message>
        <source>Menu: preferences, statistics, how to play, about, and quit</source>
        <translation>Menu : préférences, statistiques, règles du jeu, à propos et quitter</translation>
    </message>
    <message>
        <source>New Game</source>
        <translation>Nouvelle partie</translation>
    </message>
    <message>
        <source>New Game (%1)</source>
        <translation>Nouvelle partie (%1)</translation>
    </message>
    <message>
        <source>New best time!</source>
        <translation>Nouveau meilleur temps !</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Désactivé</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Activé</translation>
    </message>
    <message>
        <source>Onyx Slate</source>
        <translation>Ardoise onyx</translation>
    </message>
    <message>
        <source>Open Velmora</source>
        <translation>Ouvrir Velmora</translation>
    </message>
    <message>
        <source>Play Again</source>
        <translation>Rejouer</translation>
    </message>
    <message>
        <source>Preferences, Statistics, How to Play, About &amp; Quit</source>
        <translation>Préférences, statistiques, règles du jeu, à propos et quitter</translation>
    </message>
    <message>
        <source>Quit Velmora</source>
        <translation>Quitter Velmora</translation>
    </message>
    <message>
        <source>Row %lld, column %lld</source>
        <translation>Ligne %lld, colonne %lld</translation>
    </message>
    <message>
        <source>Solid Amber</source>
        <translation>Ambre</translation>
    </message>
    <message>
        <source>Solid Cerulean</source>
        <translation>Céruléen</translation>
    </message>
    <message>
        <source>Solid Cranberry</source>
        <translation>Canneberge</translation>
    </message>
    <message>
        <source>Solid Leaf</source>
        <translation>Feuille</translation>
    </message>
    <message>
        <source>Solid Mauve</source>
        <translation>Mauve</translation>
    </message>
    <message>
        <source>Solid Sand</source>
        <translation>Sable</translation>
    </message>
    <message>
        <source>Solid Slate</source>
        <translation>Ardoise</translation>
    </message>
    <message>
        <source>Solid Terracotta</source>
        <translation>Terre cuite</translation>
    </message>
    <message>
        <source>Solid Twilight</source>
        <translation>Crépuscule</translation>
    </message>
    <message>
        <source>Start a new game</source>
        <translation>Commencer une nouvelle partie</translation>
    </message>
    <message>
        <source>Starting a new game now will reset your win streak.</source>
        <translation>Commencer une nouvelle partie maintenant remettra à zéro votre série de victoires.</translation>
    </message>
    <message>
        <source>Time: %@</source>
        <translation>Temps : %@</translation>
    </message>
    <message>
        <source>Try Again</source>
        <translation>Réessayer</translation>
    </message>
    <message>
        <source>Velmora</source>
        <translation>Velmora</translation>
    </message>
    <message>
        <source>Velmora could not read %1 and left it as it is. Nothing will be saved until it is moved away.</source>
        <translation>Velmora n’a pas pu lire %1 et l’a laissé tel quel. Rien ne sera enregistré tant qu’il ne sera pas déplacé.</translation>
    </message>
    <message>
        <source>Velmora could not read its saved data and started afresh. The damaged file was kept as %1.</source>
        <translation>Velmora n’a pas pu lire ses données enregistrées et repart de zéro. Le fichier endommagé a été conservé sous le nom %1.</translation>
    </message>
    <message>
        <source>You hit a mine</source>
        <translation>Vous avez touché une mine</translation>
    </message>
    <message>
        <source>covered</source>
        <translation>couverte</translation>
    </message>
    <message>
        <source>covered, safe to uncover (hint)</source>
        <translation>couverte, sans danger (indice)</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>vide</translation>
    </message>
    <message>
        <source>flagged</source>
        <translation>avec drapeau</translation>
    </message>
    <message>
        <source>flagged, no mine</source>
        <translation>avec drapeau, sans mine</translation>
    </message>
    <message>
        <source>mine</source>
        <translation>mine</translation>
    </message>
    <message>
        <source>question mark</source>
        <translation>point d'interrogation</translation>
    </message>
</context>
</TS>
