// The help page, opened by the "Aide" button in the desktop's browser.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "assets/help.h"

#include "assets/art.h"

namespace art {

std::string HelpPage() {
    return R"HTML(<!DOCTYPE html>
<html lang="fr">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Tessalor — Aide</title>
<style>
  body { margin: 0; background: #002a00; color: #d8f5d8; font: 16px/1.55 "Liberation Sans", Arial, sans-serif; }
  main { max-width: 46em; margin: 2em auto; padding: 1.5em 2.2em 2em; background: #003800;
         border: 4px solid #00c600; border-radius: 22px; }
  h1 { margin: 0 0 .2em; color: #ffe23c; font-size: 2.4em; letter-spacing: .02em; text-shadow: 2px 2px 0 #001e00; }
  h2 { margin: 1.6em 0 .5em; color: #00e000; font-size: 1.25em; border-bottom: 2px solid #109410; padding-bottom: .15em; }
  p.intro { color: #aaffaa; margin-top: 0; }
  table { border-collapse: collapse; width: 100%; }
  td { padding: .35em .6em; vertical-align: top; border-bottom: 1px solid #0b5a0b; }
  td:first-child { width: 34%; color: #ffffff; font-weight: bold; }
  kbd, .cmd { display: inline-block; padding: 0 .45em; border-radius: 5px; background: #109410; color: #001800;
              font-weight: bold; font-family: inherit; box-shadow: 0 2px 0 #004a00; }
  code { color: #ffe23c; }
  .pieces { font-size: 1.5em; letter-spacing: .12em; }
  .pieces span { display: inline-block; width: .9em; height: .9em; margin-right: .1em; border: 2px solid rgba(0,0,0,.35); }
  footer { margin-top: 2em; font-size: .85em; color: #66bb66; text-align: center; }
</style>
</head>
<body>
<main>
<h1>Tessalor</h1>
<p class="intro">Un jeu de pentominos&nbsp;: douze pièces de cinq carrés pour remplir des formes.</p>
<p class="pieces" aria-hidden="true"><span style="background:#ff0000"></span><span style="background:#ff9001"></span><span style="background:#deff01"></span><span style="background:#4fff01"></span><span style="background:#17e94d"></span><span style="background:#01ffd2"></span><span style="background:#019dff"></span><span style="background:#010dff"></span><span style="background:#8401ff"></span><span style="background:#ff01ea"></span><span style="background:#ff015b"></span><span style="background:#8c747c"></span></p>

<h2>Le but du jeu</h2>
<p>Au milieu de la fenêtre, le plateau de 16 × 16 cases montre une forme en cases de bois&nbsp;: un rectangle,
un escargot, un animal… Remplissez-la entièrement avec les pentominos rangés à gauche et à droite du plateau.
Chaque pièce peut être tournée et retournée. Quand la dernière case vide est couverte, la forme est réussie&nbsp;:
la tête fait le signe de la victoire et la forme suivante arrive.</p>

<h2>La souris</h2>
<table>
<tr><td>Clic gauche sur une pièce rangée</td><td>Vous prenez la pièce&nbsp;; elle suit la souris. Sa place reste marquée en noir.</td></tr>
<tr><td>Clic gauche sur le plateau</td><td>La pièce tenue est posée là, si toutes ses cases tombent sur des cases vides de la forme. Sinon, rien ne se passe&nbsp;: essayez ailleurs.</td></tr>
<tr><td>Clic gauche à côté du plateau</td><td>La pièce tenue retourne à sa place.</td></tr>
<tr><td>Clic gauche sur une pièce posée</td><td>La pièce quitte le plateau et retourne à sa place.</td></tr>
<tr><td>Bouton droit</td><td>La pièce tenue tourne d'un quart de tour dans le sens des aiguilles d'une montre.</td></tr>
</table>

<h2>Le clavier</h2>
<table>
<tr><td><kbd>Entrée</kbd></td><td>Tourne la pièce tenue d'un quart de tour dans le sens des aiguilles d'une montre.</td></tr>
<tr><td><kbd>Espace</kbd></td><td>Retourne la pièce tenue comme dans un miroir (la gauche passe à droite).</td></tr>
</table>
<p>En tournant et en retournant, chaque pièce prend ses huit positions possibles.</p>

<h2>Tout le jeu au clavier</h2>
<table>
<tr><td><kbd>F10</kbd></td><td>Ouvre le menu, ou le referme. <kbd>↑</kbd> et <kbd>↓</kbd> allument une commande, <kbd>Entrée</kbd> la lance, <kbd>Échap</kbd> ferme le menu.</td></tr>
<tr><td><kbd>F1</kbd></td><td>Ouvre cette page, comme le bouton <span class="cmd">Aide</span>.</td></tr>
<tr><td><kbd>Pg suiv</kbd>, <kbd>Pg préc</kbd></td><td>Pendant une forme&nbsp;: prend la pièce rangée suivante ou précédente (la pièce tenue retourne d'abord à sa place).</td></tr>
<tr><td>Flèches</td><td>Déplacent la main d'une case (de quatre avec <kbd>Maj</kbd>)&nbsp;; la pièce tenue suit, le pointeur montre où est la main (là où le système ne laisse pas bouger le pointeur, un carré blanc la montre).</td></tr>
<tr><td><kbd>Inser</kbd></td><td>Pose la pièce tenue là où est la main, comme un clic gauche.</td></tr>
<tr><td><kbd>Suppr</kbd></td><td>Range la pièce tenue&nbsp;; la main vide, reprend la pièce posée sous la main.</td></tr>
<tr><td><kbd>Ctrl</kbd>+<kbd>Z</kbd></td><td>Pendant une forme&nbsp;: annule le dernier changement du plateau (une pièce posée, reprise, ou la forme recommencée)&nbsp;; une pièce dont la pose est annulée retourne à sa place dans le rangement (la pièce tenue y retourne d'abord).</td></tr>
<tr><td><kbd>Ctrl</kbd>+<kbd>Y</kbd>, <kbd>Ctrl</kbd>+<kbd>Maj</kbd>+<kbd>Z</kbd></td><td>Refait ce qui vient d'être annulé&nbsp;: la pièce revient où elle était, tournée comme elle l'était. Un nouveau coup efface ce qui restait à refaire&nbsp;; l'historique finit avec la forme et n'est jamais enregistré.</td></tr>
<tr><td><kbd>F5</kbd>, <kbd>Ctrl</kbd>+<kbd>R</kbd></td><td>Recommence la forme&nbsp;: toutes les pièces posées retournent d'un coup au rangement (<kbd>Ctrl</kbd>+<kbd>Z</kbd> les remet). La forme et la partie enregistrée ne changent pas.</td></tr>
<tr><td>Dans les dialogues</td><td><kbd>←</kbd> allume le bouton de gauche («&nbsp;OUI&nbsp;», «&nbsp;Ok&nbsp;»), <kbd>→</kbd> celui de droite, <kbd>Tab</kbd> le suivant&nbsp;; <kbd>Entrée</kbd> appuie sur le bouton allumé, <kbd>Échap</kbd> répond comme la fermeture de la fenêtre (non, annuler). Dans la liste des parties, <kbd>Entrée</kbd> vaut <span class="cmd">Ok</span>. La fenêtre «&nbsp;À propos&nbsp;» se ferme avec <kbd>Entrée</kbd> ou <kbd>Échap</kbd>.</td></tr>
</table>
<p>Lancé avec <code>tessalor --clavier</code> (ou <code>TESSALOR_CLAVIER=1</code>), le jeu ouvre chaque dialogue avec
son premier bouton allumé, et <kbd>Entrée</kbd> valide le nom d'une nouvelle partie. Avec <code>tessalor --lettres</code>
(ou <code>TESSALOR_LETTRES=1</code>), chaque pièce porte sa lettre (F, I, L, N, P, T, U, V, W, X, Y, Z) dans le rangement,
dans la main, sur le plateau et sur les marques de la solution&nbsp;: on reconnaît les pièces sans leurs couleurs.</p>
<p>Sous Windows, l'entrée «&nbsp;Tessalor (clavier)&nbsp;» du menu Démarrer lance le jeu avec <code>--clavier</code>. Pour une
autre option, faites un raccourci vers <code>tessalor.exe</code> et ajoutez l'option à la fin de sa «&nbsp;Cible&nbsp;»
(clic droit, Propriétés), par exemple <code>tessalor.exe --lettres</code>.</p>

<h2>Un coup de pouce&nbsp;: <kbd>F2</kbd></h2>
<p>Pendant une forme, pièce en main ou non, <kbd>F2</kbd> dit si la forme peut encore être remplie avec les pièces
qui restent, et combien de façons de la finir il reste quand le compte est rapide. Un deuxième appui sur la même
forme montre une pièce à sa place&nbsp;: ses cinq cases portent la croix de sa couleur (celle de la pièce tenue,
s'il y en a une). Si la forme est bloquée, la pièce posée qui la bloque clignote deux fois, ou un message dit quelle
partie vide ne peut pas être remplie. Poser ou reprendre une pièce efface les croix, et le prochain <kbd>F2</kbd>
recommence par la réponse. Prendre, tourner ou ranger la pièce tenue ne change rien. Les coups de pouce ne sont
jamais enregistrés dans la partie.</p>

<h2>Les réglages&nbsp;: <kbd>F3</kbd>, <kbd>F8</kbd>, <kbd>F11</kbd></h2>
<table>
<tr><td><kbd>F3</kbd></td><td>Ouvre «&nbsp;Réglages&nbsp;»&nbsp;: le son, les lettres sur les pièces, le jeu au clavier, la taille de la fenêtre (automatique, 1 à 4), le plein écran et la langue. <kbd>↑</kbd> et <kbd>↓</kbd> allument un réglage, <kbd>Entrée</kbd> ou un clic le change, <kbd>Échap</kbd> ou <span class="cmd">X</span> ferme. Chaque changement est gardé pour les prochaines fois&nbsp;; la taille, les lettres et la langue prennent effet au prochain lancement.</td></tr>
<tr><td><kbd>F8</kbd></td><td>Coupe le son à tout moment (le son en cours s'arrête), ou le remet&nbsp;; le jeu s'en souvient.</td></tr>
<tr><td><kbd>F11</kbd></td><td>Plein écran&nbsp;: le jeu aussi grand que l'écran le permet, au centre. Un nouvel appui rend la fenêtre là où elle était. Le jeu s'en souvient.</td></tr>
</table>
<p>Les réglages sont gardés dans le fichier <code>tessalor.conf</code> (sous Linux dans <code>~/.config/tessalor/</code>,
sous Windows dans <code>%APPDATA%\Tessalor\</code>). Les options de la ligne de commande l'emportent le temps d'une partie
sans être enregistrées.</p>

<h2>Toutes les formes&nbsp;: <kbd>F4</kbd></h2>
<p>Entre deux formes, <kbd>F4</kbd> ouvre «&nbsp;Formes&nbsp;»&nbsp;: la forme du jour d'abord, puis les quarante formes du
jeu, puis les vôtres. Chaque ligne donne le nom de la forme, sa difficulté (de une à cinq marques), votre meilleur temps
et si vous l'avez déjà réussie. Pendant une forme, <kbd>F4</kbd> ne fait rien.</p>
<p>La difficulté part du nombre de pièces&nbsp;: 1&nbsp;marque pour 3 ou 4&nbsp;pièces, 2 pour 5 ou 6, 3 pour 7 à 9, 4 pour 10 à 12.
Elle gagne une marque quand le solveur doit poser plus de 10&nbsp;000&nbsp;pièces avant de trouver une première solution, et en
perd une quand la forme se remplit de plus de 100&nbsp;façons. Elle reste toujours entre 1 et 5.</p>
<table>
<tr><td><kbd>↑</kbd>, <kbd>↓</kbd>, <kbd>Pg préc</kbd>, <kbd>Pg suiv</kbd>, <kbd>Origine</kbd>, <kbd>Fin</kbd></td><td>Choisissent une ligne.</td></tr>
<tr><td><kbd>Entrée</kbd>, <span class="cmd">Ok</span></td><td>Joue la forme choisie, seule, comme une forme au hasard&nbsp;: aucune partie enregistrée n'est touchée.</td></tr>
<tr><td><kbd>Suppr</kbd></td><td>Efface une de vos formes, après confirmation.</td></tr>
<tr><td><kbd>Ctrl</kbd>+<kbd>C</kbd></td><td>Copie le code de la forme choisie, à partager par courriel ou messagerie.</td></tr>
<tr><td><kbd>Ctrl</kbd>+<kbd>V</kbd></td><td>Joue la forme d'un code copié. Un code incorrect, ou une forme qui ne peut pas être remplie, est refusé par un message et ne change rien.</td></tr>
<tr><td><kbd>Échap</kbd>, <span class="cmd">Annuler</span></td><td>Ferme la liste.</td></tr>
</table>
<p>Le temps d'une forme court de sa mise en place jusqu'à la pièce qui la remplit, sans le temps passé dans les dialogues
ni fenêtre réduite&nbsp;; les formes d'une partie enregistrée comptent aussi. Les meilleurs temps sont gardés dans
<code>records.txt</code>, vos formes dans <code>formes.txt</code> (sous Linux dans <code>~/.local/share/tessalor/</code>,
sous Windows à côté des réglages). <code>tessalor --forme CODE</code> commence par la forme de ce code.</p>

<h2>L'atelier de formes&nbsp;: <kbd>F6</kbd></h2>
<p>Hors d'une forme, <kbd>F6</kbd> fait du plateau votre feuille de dessin. Le bouton gauche (un clic, ou en glissant)
ajoute des cases, le bouton droit en enlève&nbsp;; au clavier, les flèches déplacent la main d'une case (de quatre avec
<kbd>Maj</kbd>), <kbd>Inser</kbd> ajoute la case sous la main et <kbd>Suppr</kbd> l'enlève. Un clic sur une pièce du
rangement la met dans les pièces de la forme ou l'en retire (<kbd>Pg suiv</kbd> et <kbd>Pg préc</kbd> vont d'une pièce
à l'autre, <kbd>Espace</kbd> la met ou la retire)&nbsp;: les pièces retirées s'assombrissent. Sans pièce choisie, le jeu
choisit lui-même («&nbsp;automatique&nbsp;») les pièces qui remplissent la forme de la façon la plus serrée.</p>
<p>À chaque changement, le texte sous le plateau donne le nombre de cases et si la forme peut être remplie&nbsp;:
«&nbsp;impossible&nbsp;», «&nbsp;1 façon&nbsp;», «&nbsp;12 façons&nbsp;» ou «&nbsp;plus de 1000&nbsp;» (une façon et ses copies
tournées ou retournées comptent pour une). Une forme impossible dit pourquoi&nbsp;: une zone dont la taille n'est pas un
multiple de 5 («&nbsp;zone de 7 ≠ 5×n&nbsp;»), des cases qu'aucune pièce n'atteint («&nbsp;cases isolées&nbsp;»), un
nombre de cases qui ne va pas avec les pièces choisies («&nbsp;il faut 20 cases&nbsp;»), ou aucune solution.</p>
<table>
<tr><td><kbd>Entrée</kbd></td><td>Enregistre la forme parmi les vôtres sous un nom (comme une nouvelle partie), avec une façon de la remplir&nbsp;; vous la retrouvez avec <kbd>F4</kbd>. Une forme impossible ne s'enregistre pas.</td></tr>
<tr><td><kbd>F2</kbd></td><td>Montre une façon de remplir la forme, comme la solution.</td></tr>
<tr><td><kbd>Ctrl</kbd>+<kbd>C</kbd>, <kbd>Ctrl</kbd>+<kbd>V</kbd></td><td>Copie le code de la forme, à partager&nbsp;; dessine la forme d'un code collé.</td></tr>
<tr><td><kbd>Échap</kbd>, <kbd>F6</kbd></td><td>Quitte l'atelier (en demandant d'abord si la forme n'est pas enregistrée)&nbsp;; l'écran redevient comme avant.</td></tr>
</table>

<h2>Le menu</h2>
<p>Le bouton <span class="cmd">Menu</span>, en bas de la fenêtre, ouvre la liste des commandes.
Un clic ailleurs dans la fenêtre la referme.</p>
<table>
<tr><td>Nouvelle partie</td><td>Tapez le nom de votre partie (douze caractères au plus) puis cliquez sur <span class="cmd">Ok</span>&nbsp;: les formes se suivent dans l'ordre, et chaque forme réussie est enregistrée. Un nom vide ne crée rien.</td></tr>
<tr><td>Charger une partie</td><td>Choisissez une partie dans la liste et cliquez sur <span class="cmd">Ok</span>&nbsp;: le jeu reprend à la première forme non réussie. <span class="cmd">Annuler</span> ferme la liste.</td></tr>
<tr><td>Jouer avec une forme au hasard</td><td>Une forme choisie au hasard, sans partie ni enregistrement.</td></tr>
<tr><td>Abandonner</td><td>Présent pendant une forme&nbsp;: la forme en cours est abandonnée et la partie est fermée.</td></tr>
<tr><td>Quitter</td><td>Ferme le jeu après confirmation. Les formes déjà réussies restent enregistrées&nbsp;; la forme en cours ne l'est pas.</td></tr>
</table>
<p>Le bouton <span class="cmd">Aide</span> ouvre cette page, le bouton <span class="cmd">À propos</span> présente le jeu.
Pour déplacer la fenêtre, faites glisser sa bande du haut.</p>

<h2>Les parties enregistrées</h2>
<p>Chaque partie est un petit fichier <code>nom.pnt</code> rangé dans le dossier
)HTML"
#ifdef _WIN32
           R"HTML(<code>c:\kvtscore\tessa2002\</code> (ou, si ce dossier ne peut pas être créé,
<code>%LOCALAPPDATA%\kvtscore\tessa2002\</code>). Il retient)HTML"
#else
           R"HTML(<code>~/.local/share/kvtscore/tessa2002/</code>. Il retient)HTML"
#endif
           R"HTML(, forme par forme, celles
que vous avez réussies. Le nom est écrit en minuscules («&nbsp;Élodie&nbsp;» et «&nbsp;élodie&nbsp;» sont la même
partie) et ne peut contenir ni <code>/ \ : * ? " &lt; &gt; |</code> ni commencer par un point&nbsp;; un nom déjà pris
est refusé, jamais une partie n'en remplace une autre. Dans le champ du nom, les flèches, <kbd>Origine</kbd>,
<kbd>Fin</kbd>, <kbd>Suppr</kbd> et un clic placent ou effacent là où se trouve le curseur&nbsp;; <kbd>Maj</kbd>
sélectionne, et <kbd>Ctrl</kbd>+<kbd>A</kbd>, <kbd>C</kbd>, <kbd>X</kbd>, <kbd>V</kbd> passent par le presse-papiers.
Si le dossier des parties ne peut pas être écrit, le jeu le dit («&nbsp;La partie n'a pas pu être
enregistrée&nbsp;!&nbsp;») au lieu de déclarer le nom incorrect.</p>
<p>Dans la fenêtre «&nbsp;Choix de la partie&nbsp;», choisissez une partie avec la souris, le clavier ou les deux
flèches de droite, qui avancent de six parties à la fois. La touche <kbd>Suppr</kbd> supprime la partie choisie,
après confirmation. Quand toutes les formes d'une partie sont réussies, commencez-en une nouvelle.
La liste ne montre que les vrais fichiers dont le nom aurait pu être donné dans le jeu&nbsp;: ni liens, ni
dossiers, ni fichiers cachés. Une partie que le jeu ne peut pas lire (droits d'accès) n'est jamais ouverte ni
écrasée&nbsp;: un message le dit et le fichier reste tel quel.</p>

<h2>La tête et l'horloge</h2>
<p>En bas à gauche, une petite tête suit la souris des yeux. Si la souris ne bouge plus pendant un moment, elle
s'endort et bâille. Cliquez dessus&nbsp;: elle vous tire la langue. À côté d'elle s'affichent le nom de la forme
en cours et l'heure.</p>

<footer>Tessalor — version 1.0</footer>
</main>
</body>
</html>
)HTML";
}

std::string TranslatedHelpPage(const std::string& code, const std::string& body) {
    if (body.empty()) return "";
    std::string page = HelpPage();
    const std::size_t main = page.find("<main>\n") + 7, end = page.find("</main>");
    page.replace(main, end - main, body);
#ifdef _WIN32
    const std::string folder = R"(<code>c:\kvtscore\tessa2002\</code> (<code>%LOCALAPPDATA%\kvtscore\tessa2002\</code>))";
#else
    const std::string folder = "<code>~/.local/share/kvtscore/tessa2002/</code>";
#endif
    for (std::size_t at; (at = page.find("@SAVE_FOLDER@")) != std::string::npos;) page.replace(at, 13, folder);
    const std::string french = "Tessalor \xE2\x80\x94 Aide";
    page.replace(page.find(french), french.size(), C_("help", "Tessalor \xE2\x80\x94 Aide"));
    page.replace(page.find("lang=\"fr\""), 9, "lang=\"" + code + "\"");
    return page;
}

}  // namespace art
