<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>Velmora</name>
    <message>
        <source>%@%%</source>
        <translation>%@&#xa0;%%</translation>
    </message>
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
        <translation>%lld mine voisine</translation>
    </message>
    <message>
        <source>%lld mines nearby|other</source>
        <translation>%lld mines voisines</translation>
    </message>
    <message>
        <source>A second flag press marks the tile with ?, a third clears it.</source>
        <translation>Un deuxième marquage place un&#x202f;? sur la case, un troisième l’efface.</translation>
    </message>
    <message>
        <source>A simple Minesweeper game for your menu bar.</source>
        <translation>Un démineur tout simple pour votre zone de notification.</translation>
    </message>
    <message>
        <source>APP</source>
        <translation>APPLICATION</translation>
    </message>
    <message>
        <source>Abandon this game?</source>
        <translation>Abandonner cette partie&#x202f;?</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Allow Velmora in System Settings → General → Login Items.</source>
        <translation>Autorisez Velmora dans Réglages Système → Général → Ouverture.</translation>
    </message>
    <message>
        <source>Beginner</source>
        <translation>Débutant</translation>
    </message>
    <message>
        <source>Beginner 9×9 with 10 mines, Intermediate 16×16 with 40, Expert 22×22 with 99. Changing this starts a new game.</source>
        <translation>Débutant&#xa0;: 9×9 avec 10 mines, Intermédiaire&#xa0;: 16×16 avec 40, Expert&#xa0;: 22×22 avec 99. Changer ce réglage lance une nouvelle partie.</translation>
    </message>
    <message>
        <source>Best Streak</source>
        <translation>Meilleure série</translation>
    </message>
    <message>
        <source>Best Time, Beginner</source>
        <translation>Meilleur temps, débutant</translation>
    </message>
    <message>
        <source>Best Time, Expert</source>
        <translation>Meilleur temps, expert</translation>
    </message>
    <message>
        <source>Best Time, Intermediate</source>
        <translation>Meilleur temps, intermédiaire</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Grille</translation>
    </message>
    <message>
        <source>Board Cleared</source>
        <translation>Grille déminée</translation>
    </message>
    <message>
        <source>Board Cleared. Time: %@</source>
        <translation>Grille déminée. Temps&#xa0;: %@</translation>
    </message>
    <message>
        <source>Burst</source>
        <translation>Explosion</translation>
    </message>
    <message>
        <source>Can&apos;t see it? Check your panel&apos;s tray settings if it is hidden.</source>
        <translation>Vous ne voyez pas l’icône&#x202f;? Si elle est masquée, vérifiez les réglages de la zone de notification de votre tableau de bord.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Changing the difficulty deals a new game and resets your win streak.</source>
        <translation>Changer de difficulté lance une nouvelle partie et remet à zéro votre série de victoires.</translation>
    </message>
    <message>
        <source>Classic Indigo</source>
        <translation>Indigo classique</translation>
    </message>
    <message>
        <source>Clear the board</source>
        <translation>Déminez la grille</translation>
    </message>
    <message>
        <source>Click a tile to uncover it. Your first click is always safe, and boards are built so you never have to guess. Uncover a mine and the game is over.</source>
        <translation>Cliquez sur une case pour la découvrir. Le premier clic est toujours sans danger, et les grilles sont conçues pour que vous n’ayez jamais à deviner. Si vous découvrez une mine, la partie est perdue.</translation>
    </message>
    <message>
        <source>Click the game&apos;s icon in the tray to open it. Click anywhere else to hide it; the timer pauses. Can&apos;t see it? Check your panel&apos;s tray settings if it is hidden.</source>
        <translation>Cliquez sur l’icône du jeu dans la zone de notification pour l’ouvrir. Cliquez ailleurs pour le masquer&#x202f;; le chronomètre s’arrête. Vous ne voyez pas l’icône&#x202f;? Si elle est masquée, vérifiez les réglages de la zone de notification de votre tableau de bord.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Covered tile, theme: %@</source>
        <translation>Case cachée, thème&#xa0;: %@</translation>
    </message>
    <message>
        <source>Current Streak</source>
        <translation>Série en cours</translation>
    </message>
    <message>
        <source>Difficulty</source>
        <translation>Difficulté</translation>
    </message>
    <message>
        <source>Double-click a number that has as many flags around it as its count to uncover all its other neighbors at once. Space does the same from the keyboard.</source>
        <translation>Double-cliquez sur un chiffre entouré d’autant de drapeaux que sa valeur pour découvrir d’un coup toutes ses autres cases voisines. La barre d’espace fait de même au clavier.</translation>
    </message>
    <message>
        <source>Expert</source>
        <translation>Expert</translation>
    </message>
    <message>
        <source>Flag</source>
        <translation>Drapeau</translation>
    </message>
    <message>
        <source>Flag Mode: a click flags a tile</source>
        <translation>Mode drapeau&#xa0;: un clic pose un drapeau</translation>
    </message>
    <message>
        <source>Flag a tile</source>
        <translation>Poser un drapeau</translation>
    </message>
    <message>
        <source>Flag mode</source>
        <translation>Mode drapeau</translation>
    </message>
    <message>
        <source>Flag the mines</source>
        <translation>Marquez les mines d’un drapeau</translation>
    </message>
    <message>
        <source>GAMEPLAY</source>
        <translation>JEU</translation>
    </message>
    <message>
        <source>Game Size</source>
        <translation>Taille du jeu</translation>
    </message>
    <message>
        <source>Games Lost</source>
        <translation>Parties perdues</translation>
    </message>
    <message>
        <source>Games Played</source>
        <translation>Parties jouées</translation>
    </message>
    <message>
        <source>Games Won</source>
        <translation>Parties gagnées</translation>
    </message>
    <message>
        <source>Give a hint</source>
        <translation>Donner un indice</translation>
    </message>
    <message>
        <source>Got it</source>
        <translation>Compris</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Quadrillage</translation>
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
        <source>Hint marks a tile that is safe to uncover. Tap the lightbulb button at the top, or press H. A game that used a hint doesn&apos;t set a best time.</source>
        <translation>Un indice signale une case que vous pouvez découvrir sans danger. Cliquez sur l’ampoule en haut ou appuyez sur H. Une partie jouée avec un indice n’établit pas de meilleur temps.</translation>
    </message>
    <message>
        <source>Hint used: time not recorded</source>
        <translation>Indice utilisé&#xa0;: temps non enregistré</translation>
    </message>
    <message>
        <source>How to Play</source>
        <translation>Règles du jeu</translation>
    </message>
    <message>
        <source>Intermediate</source>
        <translation>Intermédiaire</translation>
    </message>
    <message>
        <source>KEYBOARD</source>
        <translation>CLAVIER</translation>
    </message>
    <message>
        <source>Large</source>
        <translation>Grande</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Lancer à l’ouverture de session</translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation>Lancer à l’ouverture de session</translation>
    </message>
    <message>
        <source>Lives in your menu bar</source>
        <translation>Vit dans la zone de notification</translation>
    </message>
    <message>
        <source>Menu Bar Icon</source>
        <translation>Icône de la zone de notification</translation>
    </message>
    <message>
        <source>Menu bar icon: %@</source>
        <translation>Icône de la zone de notification&#xa0;: %@</translation>
    </message>
    <message>
        <source>Menu: preferences, statistics, how to play, about, and quit</source>
        <translation>Menu&#xa0;: préférences, statistiques, règles du jeu, à propos et quitter</translation>
    </message>
    <message>
        <source>Move between tiles</source>
        <translation>Passer d’une case à l’autre</translation>
    </message>
    <message>
        <source>Need a hand?</source>
        <translation>Besoin d’un coup de main&#x202f;?</translation>
    </message>
    <message>
        <source>Need the rules? Open the game&apos;s menu and choose How to Play.</source>
        <translation>Besoin des règles&#x202f;? Ouvrez le menu du jeu et choisissez «&#xa0;Règles du jeu&#xa0;».</translation>
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
        <source>New Game deals a fresh board. Pick Beginner, Intermediate or Expert in Preferences. Game Size there makes the whole game larger.</source>
        <translation>«&#xa0;Nouvelle partie&#xa0;» crée une nouvelle grille. Choisissez Débutant, Intermédiaire ou Expert dans les Préférences. La taille du jeu, au même endroit, agrandit tout le jeu.</translation>
    </message>
    <message>
        <source>New best time!</source>
        <translation>Nouveau record&#x202f;!</translation>
    </message>
    <message>
        <source>New game</source>
        <translation>Nouvelle partie</translation>
    </message>
    <message>
        <source>New games and sizes</source>
        <translation>Nouvelles parties et tailles</translation>
    </message>
    <message>
        <source>Onyx Slate</source>
        <translation>Ardoise onyx</translation>
    </message>
    <message>
        <source>Open Preferences</source>
        <translation>Ouvrir les préférences</translation>
    </message>
    <message>
        <source>Open Velmora</source>
        <translation>Ouvrir Velmora</translation>
    </message>
    <message>
        <source>Open around a number</source>
        <translation>Découvrez les cases autour d’un chiffre</translation>
    </message>
    <message>
        <source>Play Again</source>
        <translation>Rejouer</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>Preferences, Statistics, How to Play, About &amp; Quit</source>
        <translation>Préférences, statistiques, règles du jeu, à propos et quitter</translation>
    </message>
    <message>
        <source>Published by Orvanta LLC</source>
        <translation>Publié par Orvanta LLC</translation>
    </message>
    <message>
        <source>Question Marks</source>
        <translation>Points d’interrogation</translation>
    </message>
    <message>
        <source>Quit Velmora</source>
        <translation>Quitter Velmora</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Réinitialiser</translation>
    </message>
    <message>
        <source>Reset All Statistics</source>
        <translation>Réinitialiser toutes les statistiques</translation>
    </message>
    <message>
        <source>Reset all statistics</source>
        <translation>Réinitialiser toutes les statistiques</translation>
    </message>
    <message>
        <source>Reset all statistics?</source>
        <translation>Réinitialiser toutes les statistiques&#x202f;?</translation>
    </message>
    <message>
        <source>Right-click or Control-click a tile to flag it. Press again for a ? mark, and again to clear it. Flag mode in the header makes a plain click flag instead. A flagged tile can&apos;t be uncovered by accident.</source>
        <translation>Faites un clic droit ou Ctrl+clic sur une case pour y poser un drapeau. Recommencez pour un&#x202f;?, puis encore une fois pour l’effacer. En mode drapeau (bouton de l’en-tête), un simple clic pose un drapeau. Une case marquée d’un drapeau ne peut pas être découverte par erreur.</translation>
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
        <source>Space</source>
        <translation>Espace</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Start a new game</source>
        <translation>Commencer une nouvelle partie</translation>
    </message>
    <message>
        <source>Starting a new game now will reset your win streak.</source>
        <translation>Si vous commencez une nouvelle partie maintenant, votre série de victoires sera remise à zéro.</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Statistiques</translation>
    </message>
    <message>
        <source>TILES</source>
        <translation>CASES</translation>
    </message>
    <message>
        <source>The game&apos;s icon, highlighted in the menu bar</source>
        <translation>L’icône du jeu, mise en évidence dans la zone de notification</translation>
    </message>
    <message>
        <source>This clears your games, wins, streaks and best times. It can&apos;t be undone.</source>
        <translation>Vos parties, victoires, séries et meilleurs temps seront effacés. Cette action est irréversible.</translation>
    </message>
    <message>
        <source>Tile Theme: %@</source>
        <translation>Thème des cases&#xa0;: %@</translation>
    </message>
    <message>
        <source>Time: %@</source>
        <translation>Temps&#xa0;: %@</translation>
    </message>
    <message>
        <source>Try Again</source>
        <translation>Réessayer</translation>
    </message>
    <message>
        <source>Uncover a tile or open around a number</source>
        <translation>Découvrir une case ou les cases autour d’un chiffre</translation>
    </message>
    <message>
        <source>Uncover every tile that is not a mine. A number tells you how many of the 8 tiles around it hold a mine.</source>
        <translation>Découvrez toutes les cases qui ne cachent pas de mine. Un chiffre indique combien des 8 cases voisines cachent une mine.</translation>
    </message>
    <message>
        <source>Uncover tiles</source>
        <translation>Découvrez des cases</translation>
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
        <source>Velmora lives in your menu bar. Click its icon at the top of your screen to play. It looks like this:</source>
        <translation>Velmora se trouve dans votre zone de notification. Cliquez sur son icône en haut de l’écran pour jouer. Elle ressemble à ceci&#xa0;:</translation>
    </message>
    <message>
        <source>Version %@</source>
        <translation>Version %@</translation>
    </message>
    <message>
        <source>Visit %@</source>
        <translation>Visiter %@</translation>
    </message>
    <message>
        <source>Visit publisher website %@</source>
        <translation>Visiter le site de l’éditeur %@</translation>
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
        <source>Win Rate</source>
        <translation>Taux de victoire</translation>
    </message>
    <message>
        <source>You hit a mine</source>
        <translation>Vous avez sauté sur une mine</translation>
    </message>
    <message>
        <source>covered</source>
        <translation>cachée</translation>
    </message>
    <message>
        <source>covered, safe to uncover (hint)</source>
        <translation>cachée, à découvrir sans danger (indice)</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>vide</translation>
    </message>
    <message>
        <source>flagged</source>
        <translation>marquée d’un drapeau</translation>
    </message>
    <message>
        <source>flagged, no mine</source>
        <translation>drapeau erroné, pas de mine</translation>
    </message>
    <message>
        <source>mine</source>
        <translation>mine</translation>
    </message>
    <message>
        <source>question mark</source>
        <translation>point d’interrogation</translation>
    </message>
    <message>
        <source>© 2026 Orvanta LLC. All rights reserved.</source>
        <translation>© 2026 Orvanta LLC. Tous droits réservés.</translation>
    </message>
    <message>
        <source>%lld mines left|few</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%lld mines left|many</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%lld mines nearby|few</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%lld mines nearby|many</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Row %lld, column %lld: %@</source>
        <extracomment>A tile&apos;s label for screen readers: row, column, then the tile&apos;s state.</extracomment>
        <translation>Ligne %lld, colonne %lld&#xa0;: %@</translation>
    </message>
    <message>
        <source>Velmora&apos;s icon needs a system tray, which GNOME shows only with the AppIndicator extension. Install it (package gnome-shell-extension-appindicator), turn it on in Extensions, then start Velmora again. Until then, the game opens in this window.</source>
        <translation>L’icône de Velmora a besoin d’une zone de notification, que GNOME n’affiche qu’avec l’extension AppIndicator. Installez-la (paquet gnome-shell-extension-appindicator), activez-la dans Extensions, puis relancez Velmora. En attendant, le jeu s’ouvre dans cette fenêtre.</translation>
    </message>
    <message>
        <source>Velmora&apos;s icon needs a system tray, and none was found. Add a system tray (notification area) to your panel, then start Velmora again. Until then, the game opens in this window.</source>
        <translation>L’icône de Velmora a besoin d’une zone de notification, et aucune n’a été trouvée. Ajoutez une zone de notification à votre tableau de bord, puis relancez Velmora. En attendant, le jeu s’ouvre dans cette fenêtre.</translation>
    </message>
    <message>
        <source>Velmora lives in your menu bar. Click its icon at the bottom of your screen to play. It looks like this:</source>
        <translation>Velmora se trouve dans votre zone de notification. Cliquez sur son icône en bas de l’écran pour jouer. Elle ressemble à ceci&#xa0;:</translation>
    </message>
    <message>
        <source>No hint before the first move</source>
        <translation>Pas d’indice avant le premier coup</translation>
    </message>
    <message>
        <source>No hint available</source>
        <translation>Aucun indice disponible</translation>
    </message>
    <message>
        <source>%lld tiles uncovered|one</source>
        <translation>%lld case découverte</translation>
    </message>
    <message>
        <source>%lld tiles uncovered|few</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%lld tiles uncovered|many</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%lld tiles uncovered|other</source>
        <translation>%lld cases découvertes</translation>
    </message>
    <message>
        <source>%@, %@</source>
        <extracomment>After a move on the board: the focused tile&apos;s state, then how many tiles it opened.
----------
Said on a key: the mine counter&apos;s label, then the clock&apos;s (&quot;7 mines left, Time: 1:05&quot;).</extracomment>
        <translation>%@, %@</translation>
    </message>
    <message>
        <source>Hear the mines left and the time</source>
        <translation>Entendre les mines restantes et le temps</translation>
    </message>
</context>
</TS>
