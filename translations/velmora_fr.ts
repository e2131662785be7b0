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
        <source>Can't see it? Check your panel's tray settings if it is hidden.</source>
        <translation>Vous ne la voyez pas ? Si elle est masquée, vérifiez les réglages de la zone de notification de votre tableau de bord.</translation>
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
        <source>Got it</source>
        <translation>Compris</translation>
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
        <source>Need the rules? Open the game's menu and choose How to Play.</source>
        <translation>Besoin des règles ? Ouvrez le menu du jeu et choisissez Règles du jeu.</translation>
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
        <source>The game's icon, highlighted in the menu bar</source>
        <translation>L’icône du jeu, mise en évidence dans la barre de menus</translation>
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
        <source>Velmora lives in your menu bar. Click its icon at the top of your screen to play. It looks like this:</source>
        <translation>Velmora se trouve dans votre barre de menus. Cliquez sur son icône en haut de l’écran pour jouer. Elle ressemble à ceci :</translation>
    </message>
    <message>
        <source>Welcome</source>
        <translation>Bienvenue</translation>
    </message>
    <message>
        <source>Welcome to Velmora</source>
        <translation>Bienvenue dans Velmora</translation>
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
