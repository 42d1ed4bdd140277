#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Equipe Vorkade
# SPDX-License-Identifier: GPL-3.0-or-later

# Mutation check: puts one small fault at a time into a scratch copy of the tree,
# rebuilds only what the fault touches, and runs the unit test programs that
# exercise the faulty file, one after the other until one fails. A fault that no
# test notices is a survivor. Every survivor must be marked below as equivalent,
# with the reason; the script fails on any other survivor, on a fault that no
# longer matches the code exactly once, and on a fault that does not compile.
#
# It takes minutes, so the test command does not run it.
#
# Usage: scripts/mutants.sh [scratch-dir]
#   Without an argument the scratch copy lives in a temporary folder removed at
#   the end. With one, the folder is kept and reused, so a second run only
#   rebuilds what changed since.
#
# The faults, each in four kinds of line:
#   @ file : what the fault does
#   ^ text   (optional) the fault lies in the function whose header is this text
#   - text   the code as it is (several lines make one block, joined by line ends)
#   + text   what it becomes ("+" alone: nothing)
#   = text   (optional) why no test can notice it: the fault is equivalent
# The "-" text must occur exactly once in the file (or in the function).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)

# The test programs that exercise each file, the quickest killers first.
declare -A programs=(
    [src/core/urules.h]="tst_play2d tst_solutions tst_levelset tst_levelgen"
    [src/core/urules.cpp]="tst_play2d tst_solutions tst_levelset tst_levelgen"
    [src/core/ulevels.h]="tst_collection tst_parser tst_missingresource tst_play2d tst_main tst_editeur tst_levelset"
    [src/core/ulevels.cpp]="tst_collection tst_parser tst_missingresource tst_play2d tst_main tst_editeur tst_levelset"
    [src/gui/fplay2d.cpp]="tst_play2d tst_main tst_editeur tst_solutions"
    [src/gui/imageview.cpp]="tst_play2d tst_editeur tst_tiles"
    [src/gui/fediteur.cpp]="tst_editeur tst_main"
    [src/gui/fmain.cpp]="tst_main tst_editeur"
    [src/gui/hints.cpp]="tst_main tst_play2d tst_editeur"
    [src/gui/application.cpp]="tst_main"
    [src/gui/boxes.cpp]="tst_main tst_play2d"
)

mutants() {
    cat <<'EOF'
# The step table: keeper cell, next cell.
@ src/core/urules.h : a step onto floor leaves a target behind
- {"@ ", " @"},
+ {"@ ", ".@"},
@ src/core/urules.h : a step onto a target shows a plain keeper
- {"@.", " +"},
+ {"@.", " @"},
@ src/core/urules.h : a step off a target forgets the target
- {"+ ", ".@"},
+ {"+ ", " @"},
@ src/core/urules.h : a step from target to target leaves floor behind
- {"+.", ".+"},
+ {"+.", " +"},

# The push table: keeper, box, cell beyond.
@ src/core/urules.h : a box pushed onto floor shows as placed
- {"@$ ", " @$"},
+ {"@$ ", " @*"},
@ src/core/urules.h : a box pushed onto a target stays unplaced
- {"@$.", " @*"},
+ {"@$.", " @$"},
@ src/core/urules.h : a box pushed off a target leaves no target under the keeper
- {"@* ", " +$"},
+ {"@* ", " @$"},
@ src/core/urules.h : a placed box pushed to a target leaves no target under the keeper
- {"@*.", " +*"},
+ {"@*.", " @*"},
@ src/core/urules.h : pushing from a target forgets the target
- {"+$ ", ".@$"},
+ {"+$ ", " @$"},
@ src/core/urules.h : from a target, a box pushed onto a target stays unplaced
- {"+$.", ".@*"},
+ {"+$.", ".@$"},
@ src/core/urules.h : from a target, a placed box pushed off leaves a plain keeper
- {"+* ", ".+$"},
+ {"+* ", ".@$"},
@ src/core/urules.h : from a target, a placed box pushed to a target comes off it
- {"+*.", ".+*"},
+ {"+*.", ".+$"},

# Applying the tables, and the solved test.
@ src/core/urules.cpp : a step leaves the next cell as it was
- result[1] = rule.Replacement[1];
+ result[1] = c1;
@ src/core/urules.cpp : a push rewrites only two cells
- for (std::size_t i = 0; i < 3; ++i)
+ for (std::size_t i = 0; i < 2; ++i)
@ src/core/urules.cpp : steps are matched on the push's first two cells
- rule.Pattern == std::string_view(step, 2)
+ rule.Pattern == std::string_view(push, 2)
= push and step hold the same first two cells, so the two views are equal.
@ src/core/urules.cpp : solved without any box placed
- return boxes == 0 && placed > 0 && targets == 0;
+ return boxes == 0 && placed >= 0 && targets == 0;
@ src/core/urules.cpp : solved with one free target left
- return boxes == 0 && placed > 0 && targets == 0;
+ return boxes == 0 && placed > 0 && targets <= 1;
@ src/core/urules.cpp : the target under the keeper counts as free
- targets += cell == '.';
+ targets += cell == '.' || cell == '+';

# Navigation guards and the order of refreshes.
@ src/core/ulevels.cpp : First stays on level 2
^ void FirstLevel()
- CurrentLevel > 1)
+ CurrentLevel > 2)
@ src/core/ulevels.cpp : Previous goes below level 1
^ void PreviousLevel()
- CurrentLevel > 1)
+ CurrentLevel >= 1)
@ src/core/ulevels.cpp : Previous jumps to level 1
- CurrentLevel = CurrentLevel - 1;
+ CurrentLevel = 1;
@ src/core/ulevels.cpp : Next goes past the last level
^ void NextLevel()
- CurrentLevel < LevelCount)
+ CurrentLevel <= LevelCount)
@ src/core/ulevels.cpp : Last stays on the level before the last
^ void LastLevel()
- CurrentLevel < LevelCount)
+ CurrentLevel < LevelCount - 1)
@ src/core/ulevels.cpp : Next without its level test
^ void NextLevel()
- if (HasLevel() && CurrentLevel < LevelCount)
+ if (CurrentLevel < LevelCount)
= with no level CurrentLevel and LevelCount are both 0, so the second test is already false.
@ src/core/ulevels.cpp : Random draws on an empty collection
^ void RandomLevel()
- if (HasLevel())
+ if (true)
@ src/core/ulevels.cpp : Random never draws the last level
- CurrentLevel = RandomBelow(LevelCount) + 1;
+ CurrentLevel = RandomBelow(LevelCount - 1) + 1;
@ src/core/ulevels.cpp : the refresh asks the editor's hook whether the play window exists
- if (RefreshTargets.Play2D)
+ if (RefreshTargets.Editeur)
@ src/core/ulevels.cpp : Delete all keeps the current number
^ void DeleteAllLevels()
- CurrentLevel = 0;
+
@ src/core/ulevels.cpp : the new-level question answered no goes ahead
- !UserInterface.Confirm("Voulez-vous réellement créer un nouveau niveau ?"))
+ UserInterface.Confirm("Voulez-vous réellement créer un nouveau niveau ?"))
@ src/core/ulevels.cpp : the new-level question answered no still reloads the windows
^ void NewLevel()
- return;
+ return RefreshWindows();
@ src/core/ulevels.h : a new level is 15 columns wide
- NewLevelWidth = 16;
+ NewLevelWidth = 15;
@ src/core/ulevels.cpp : a new level refreshes the windows before showing the editor
- UserInterface.ShowEditor();
-     RefreshWindows();
+ RefreshWindows();
+     UserInterface.ShowEditor();
= the editor loads the current level when it is created, and a shown window is refreshed either way.
@ src/core/ulevels.cpp : a new level is not shown in the play window
^ void NewLevel()
-     RefreshWindows();
+
@ src/core/ulevels.cpp : loading keeps the levels already there
^ std::string LoadLevels()
- Levels.clear();
+
@ src/core/ulevels.cpp : loading refreshes no window
^ std::string LoadLevels()
-     RefreshWindows();
+

# The level text parser.
@ src/core/ulevels.cpp : a NUL does not end the text
- text = text.substr(0, text.find('\0'));
+
@ src/core/ulevels.cpp : CR LF counts as two line ends
- if (end == nextCr && start < text.size() && text[start] == '\n')
+ if (false)
@ src/core/ulevels.cpp : a text ending in a line end gets an empty last line
- while (start < text.size()) {
+ while (start <= text.size()) {
@ src/core/ulevels.cpp : a blank is not trimmed around markers
- return static_cast<unsigned char>(c) <= 32;
+ return static_cast<unsigned char>(c) < 32;
@ src/core/ulevels.cpp : info keys compared with their case
- return AsciiLower(x) == AsciiLower(y);
+ return x == y;
@ src/core/ulevels.cpp : a reopened block keeps what it collected
^ std::vector<TLines> LevelBlocks(
- if (marker == "[LEVEL]") {
-             block.clear();
+ if (marker == "[LEVEL]") {
@ src/core/ulevels.cpp : info lines are taken as rows
- infoLines.push_back(line);
+ gridLines.push_back(line);
@ src/core/ulevels.cpp : the loader counts one level too few
- LevelCount = static_cast<std::int32_t>(Levels.size());
+ LevelCount = static_cast<std::int32_t>(Levels.size()) - 1;

# The play window: order of drawing, guards, keys.
@ src/gui/fplay2d.cpp : the board is drawn column by column
- for (std::int32_t y = 0; y < myHeight; ++y) {
-         for (std::int32_t x = 0; x < myWidth; ++x)
+ for (std::int32_t x = 0; x < myWidth; ++x) {
+         for (std::int32_t y = 0; y < myHeight; ++y)
@ src/core/ulevels.h : a keeper on a target is not a keeper
- return c == '@' || c == '+';
+ return c == '@';
@ src/core/urules.cpp : outside the grid reads as floor
^ char ReadCell(
- return OutsideCell;
+ return ' ';
@ src/gui/fplay2d.cpp : a rewritten cell is not redrawn
^ void TFRMPlay2D::SetCell(
- DrawCell(x, y);
+
@ src/gui/fplay2d.cpp : arrows play a hidden board
- if (!HasCurrentLevel())
+ if (false)
@ src/gui/fplay2d.cpp : a push loses the cell beyond
- SetCell(x2, y2, r[2]);
+
@ src/gui/fplay2d.cpp : a solved level restarts instead of moving on
^ void TFRMPlay2D::MovePlayer(
- NextLevel();
+ RestartLevel();
@ src/gui/fplay2d.cpp : up reads the next cell as the one beyond
- MovePlayer(myX, myY, myX, myY - 1, myX, myY - 2);
+ MovePlayer(myX, myY, myX, myY - 1, myX, myY - 1);
@ src/gui/fplay2d.cpp : Page Up moves forward
- {Qt::Key_PageUp, [](TFRMPlay2D &) { PreviousLevel(); }},
+ {Qt::Key_PageUp, [](TFRMPlay2D &) { NextLevel(); }},
@ src/gui/fplay2d.cpp : the board stays visible with no level
- myImageBramlek->setVisible(HasCurrentLevel());
+ myImageBramlek->setVisible(true);

# The centred picture: rounding of its offset, and the copy to the screen.
@ src/gui/imageview.cpp : the horizontal offset rounds down
- (width() - myPicture.width()) / 2
+ (width() - myPicture.width()) >> 1
@ src/gui/imageview.cpp : the vertical offset rounds down
- (height() - myPicture.height()) / 2
+ (height() - myPicture.height()) >> 1
@ src/gui/imageview.cpp : the picture is copied from the wrong place
- target.translated(-offset)
+ target.translated(offset)

# The editor: mouse mapping, visibility, status line, drawing.
@ src/gui/fediteur.cpp : the mouse is mapped one pixel off the picture, across
- const int bx = x - offset.x();
+ const int bx = x - offset.x() + 1;
@ src/gui/fediteur.cpp : the mouse is mapped without the picture's vertical offset
- const int by = y - offset.y();
+ const int by = y;
@ src/gui/fediteur.cpp : the status line gives the column for the row
- arg(QString::number(cx), QString::number(cy))
+ arg(QString::number(cx), QString::number(cx))
@ src/gui/fediteur.cpp : the right frame counts as outside
- bx < picture.width()
+ bx < picture.width() - 1
@ src/gui/fediteur.cpp : the pixel above the frame counts as inside
- by >= 0 &&
+ by >= -1 &&
@ src/gui/fediteur.cpp : the column is clamped one too far
- const int cx = std::min(std::max(bx / Pitch + 1, 1), myWidth);
+ const int cx = std::min(std::max(bx / Pitch + 1, 1), myWidth + 1);
@ src/gui/fediteur.cpp : the column's lower clamp dropped
- const int cx = std::min(std::max(bx / Pitch + 1, 1), myWidth);
+ const int cx = std::min(bx / Pitch + 1, myWidth);
= the clamp only serves points inside the picture, where bx >= 0 already gives a column >= 1.
@ src/gui/fediteur.cpp : the picture stays visible with no level
- myImageEditor->setVisible(HasCurrentLevel());
+ myImageEditor->setVisible(true);
@ src/gui/fediteur.cpp : a reload clears the status line
- myImageEditor->setVisible(HasCurrentLevel());
+ myImageEditor->setVisible(HasCurrentLevel()), LBLInfos->clear();
@ src/gui/fediteur.cpp : the status line starts with its name
^ void TFRMEditeur::FormCreate()
- LBLInfos->clear();
+
@ src/gui/fediteur.cpp : a right drag picks only where it starts
^ void TFRMEditeur::myImageEditorMouseMove(
- buttons & Qt::RightButton);
+ false);
@ src/gui/fediteur.cpp : the lattice is black
- picture.fill(LatticeGrey);
+ picture.fill(Qt::black);
@ src/gui/fediteur.cpp : the board's tiles are drawn over the lattice's top line
- myImageEditor->DrawTiles(myTablo, myWidth, myHeight, QPoint(1, 1), Pitch);
+ myImageEditor->DrawTiles(myTablo, myWidth, myHeight, QPoint(1, 0), Pitch);
@ src/gui/fediteur.cpp : cells are drawn over the lattice's horizontal lines
- QPoint(Pitch * x + 1, Pitch * y + 1)
+ QPoint(Pitch * x + 1, Pitch * y)

# The frame: accelerators, confirmations, tiling.
@ src/gui/fmain.cpp : a taken letter is taken again
- if (IsAcceleratorCharacter(caption[i]) && !taken.count(upper)) {
+ if (IsAcceleratorCharacter(caption[i])) {
@ src/gui/fmain.cpp : case matters for taken letters
- const QChar upper = caption[i].toUpper();
+ const QChar upper = caption[i];
@ src/gui/fmain.cpp : digits never count
- (upper >= QLatin1Char('0') && upper <= QLatin1Char('9'));
+ false;
@ src/gui/fmain.cpp : accented letters count
- upper <= QLatin1Char('Z')) ||
+ upper <= QChar(0xff)) ||
@ src/gui/fmain.cpp : every free letter of a caption is marked
^ QStringList WithAccelerators(
- break;
+
@ src/gui/fmain.cpp : the chosen letter is not taken
- taken.insert(upper);
+
@ src/gui/fmain.cpp : separators are given a letter too
- if (caption != QLatin1String("-")) {
+ if (true) {
= "-" holds no letter or digit, so the loop marks nothing in it anyway.
@ src/gui/fmain.cpp : the menu titles get no accelerators
- titles = WithAccelerators(titles);
+
@ src/gui/fmain.cpp : the new-level question's answer is inverted
- return ConfirmationBox(QString::fromStdString(question));
+ return !ConfirmationBox(QString::fromStdString(question));
@ src/gui/fmain.cpp : deleting all levels on "Non"
- if (ConfirmationBox(QStringLiteral("Voulez-vous réellement supprimer tous les niveaux ?")))
+ if (!ConfirmationBox(QStringLiteral("Voulez-vous réellement supprimer tous les niveaux ?")))
@ src/gui/fmain.cpp : reloading on "Non"
- if (!ConfirmationBox(QStringLiteral("Voulez-vous réellement recharger les 280 niveaux ?")))
+ if (ConfirmationBox(QStringLiteral("Voulez-vous réellement recharger les 280 niveaux ?")))
@ src/gui/fmain.cpp : quitting on "Non"
- CanClose = ConfirmationBox(
+ CanClose = !ConfirmationBox(
@ src/gui/fmain.cpp : tiled children overlap by a pixel
- const int to = length * (i + 1) / count;
+ const int to = length * (i + 1) / count + 1;

# The frame's arrangements and its child windows.
@ src/gui/fmain.cpp : cascade keeps each window's size, over the icons
- child->setGeometry(QRect(place, child->sizeHint().boundedTo(room)));
+ child->move(place);
@ src/gui/fmain.cpp : cascade reaches down over the icons
^ void TFRMMain::MNUFenetreCascadeClick(
- const QRect area = AreaAboveIcons(myMdiArea);
+ const QRect area = myMdiArea->viewport()->rect();
@ src/gui/fmain.cpp : cascade leaves a maximised child maximised
^ void TFRMMain::MNUFenetreCascadeClick(
- if (child->isMaximized())
+ if (false)
@ src/gui/fmain.cpp : tiling leaves a maximised child maximised
- if (tiled[i]->isMaximized())
+ if (false)
@ src/gui/fmain.cpp : cascade never goes back to the top
- place.setY(area.top());
+ place.setY(place.y());
@ src/gui/fmain.cpp : further rows of icons stay on the bottom one
- bottom -= rowHeight;
+ bottom -= 0;
@ src/gui/fmain.cpp : a child's menu item leaves it inactive
^ void TFRMMain::ShowChildWindow(
- myMdiArea->setActiveSubWindow(child);
+
@ src/gui/fmain.cpp : a child's menu item does not raise it
^ void TFRMMain::ShowChildWindow(
- child->raise();
+
= activating a child raises it too.
@ src/gui/fmain.cpp : a long hint widens the frame
- myStatusText->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
+
@ src/gui/fplay2d.cpp : the play window never takes the keyboard
- setFocusPolicy(Qt::StrongFocus);
+ setFocusPolicy(Qt::NoFocus);
@ src/gui/fediteur.cpp : the palette chooses on the press
- connect(button, &QToolButton::clicked, this, [this, tool] { myTool = tool; });
+ connect(button, &QToolButton::pressed, this, [this, tool] { myTool = tool; });
@ src/gui/fediteur.cpp : letting go of the left button forgets the right one
^ void TFRMEditeur::myImageEditorMouseUp(
- TrackMouse(x, y, buttons & Qt::LeftButton, buttons & Qt::RightButton);
+ TrackMouse(x, y, buttons & Qt::LeftButton, false);

# The application's font, and the boxes' answers.
@ src/gui/application.cpp : menus and boxes keep the desktop's font
- QApplication::setFont(TahomaFont());
+
@ src/gui/application.cpp : the windows' font a pixel taller
- font.setPixelSize(11);
+ font.setPixelSize(12);
@ src/gui/boxes.cpp : Enter answers "Non"
- box.setDefaultButton(yes);
+ box.setDefaultButton(no);
@ src/gui/boxes.cpp : Escape answers "Oui"
- box.setEscapeButton(no);
+ box.setEscapeButton(yes);
@ src/gui/boxes.cpp : "Oui" is not made the default
- box.setDefaultButton(yes);
+
= without a default, Enter presses the button that has the focus: "&Oui", the first.
@ src/gui/boxes.cpp : "Non" is not made the escape button
- box.setEscapeButton(no);
+
= Qt gives Escape to the one button with the No role by itself.

# Hints: splitting and routing.
@ src/gui/hints.cpp : the tooltip is the long part
- return hint.section(QLatin1Char('|'), 0, 0);
+ return hint.section(QLatin1Char('|'), -1, -1);
@ src/gui/hints.cpp : the long part keeps the bar
- return bar < 0 ? hint : hint.mid(bar + 1);
+ return bar < 0 ? hint : hint.mid(bar);
@ src/gui/hints.cpp : a hint without a bar has no long part
- return bar < 0 ? hint : hint.mid(bar + 1);
+ return bar < 0 ? QString() : hint.mid(bar + 1);
@ src/gui/hints.cpp : an unchanged hint is announced again
- if (hint == myHint)
-         return;
+
@ src/gui/hints.cpp : an open menu does not hide the hint
- if (myInside && !QApplication::activePopupWidget())
+ if (myInside)
@ src/gui/hints.cpp : leaving the window keeps the pointer inside
^ bool THintTracker::eventFilter(
- myInside = false;
+ myInside = true;
EOF
}

fail() {
    echo "mutants.sh: $*" >&2
    exit 2
}

count_of() { # count_of TEXT PART: how many times PART occurs in TEXT
    local rest=${1//"$2"/}
    echo $(((${#1} - ${#rest}) / ${#2}))
}

# mutate FROM TO ANCHOR OLD NEW: writes FROM to TO with OLD replaced by NEW;
# returns 1 unless OLD (and ANCHOR, when given) occurs exactly once.
mutate() {
    local text before='' region after='' rest
    text=$(<"$1")
    region=$text
    if [[ -n $3 ]]; then
        [[ $(count_of "$text" "$3") == 1 ]] || return 1
        before=${text%%"$3"*}$3
        rest=${text#*"$3"}
        region=${rest%%$'\n}'*} # up to the function's closing brace
        after=${rest:${#region}}
    fi
    [[ $(count_of "$region" "$4") == 1 ]] || return 1
    printf '%s\n' "$before${region/"$4"/"$5"}$after" >"$2"
}

# Read the list.
files=() descs=() anchors=() olds=() news=() equivs=()
n=-1
while IFS= read -r line; do
    case $line in
    '@ '*)
        n=$((n + 1))
        line=${line#@ }
        files[n]=${line%% : *} descs[n]=${line#* : }
        anchors[n]='' olds[n]='' news[n]='' equivs[n]=''
        ;;
    '^ '*) anchors[n]=${line#^ } ;;
    '- '*) olds[n]+=${olds[n]:+$'\n'}${line#- } ;;
    '+ '*) news[n]+=${news[n]:+$'\n'}${line#+ } ;;
    '+') ;;
    '= '*) equivs[n]=${line#= } ;;
    '#'* | '') ;;
    *) fail "unreadable line in the list: $line" ;;
    esac
done < <(mutants)
total=$((n + 1))

# Every fault must still match the code, before anything is built.
check=$(mktemp)
trap 'rm -f "$check"' EXIT
for ((i = 0; i < total; i++)); do
    [[ -n ${programs[${files[i]}]:-} ]] || fail "no test programs listed for ${files[i]}"
    mutate "$root/${files[i]}" "$check" "${anchors[i]}" "${olds[i]}" "${news[i]}" ||
        fail "fault $((i + 1)) ($(basename "${files[i]}"): ${descs[i]}) no longer matches the code exactly once"
done
echo "$total faults, all matching the code."

# The scratch copy: sources copied only where they differ, so a kept copy rebuilds little.
if [[ $# -ge 1 ]]; then
    scratch=$1
    mkdir -p "$scratch"
else
    scratch=$(mktemp -d)
    trap 'rm -f "$check"; rm -rf "$scratch"' EXIT
fi
tree=$scratch/tree build=$scratch/build logs=$scratch/logs
mkdir -p "$tree" "$logs"
start=$SECONDS
(cd "$root" && find CMakeLists.txt src tests resources tools packaging docs -type f) |
    while IFS= read -r path; do
        if ! cmp -s "$root/$path" "$tree/$path"; then
            mkdir -p "$(dirname "$tree/$path")"
            cp "$root/$path" "$tree/$path"
        fi
    done
# Unoptimised and without debug information: the quickest to build. Out-of-range
# indexing stops the program, as in the sanitizer build.
if [[ ! -f $build/build.ninja ]]; then
    cmake -S "$tree" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Mutants \
        -DCMAKE_CXX_FLAGS="-O0 -D_GLIBCXX_ASSERTIONS" -DVORKADE_BENCHMARKS=OFF >"$logs/configure.log"
fi
all_programs=$(printf '%s\n' "${programs[@]}" | tr ' ' '\n' | sort -u | tr '\n' ' ')
build_program() { nice -n 5 cmake --build "$build" --parallel 2 --target "$@"; }
run_program() { # through CTest, which sets the platform
    nice -n 5 ctest --test-dir "$build" --timeout 120 -R "^$1\$" --output-on-failure
}
# shellcheck disable=SC2086
build_program $all_programs >"$logs/build.log" 2>&1 || {
    tail -n 30 "$logs/build.log"
    fail "the unmutated tree does not build"
}
# shellcheck disable=SC2086
nice -n 5 ctest --test-dir "$build" --parallel 2 --timeout 120 --output-on-failure \
    -R "^($(echo $all_programs | tr ' ' '|'))\$" >"$logs/baseline.log" 2>&1 ||
    fail "tests fail without any fault; see $logs/baseline.log"
echo "Unmutated tree built and green in $((SECONDS - start)) s."

killed=0 survived=0 equivalent=0 wrongly_equivalent=0 stillborn=0
for ((i = 0; i < total; i++)); do
    file=${files[i]} began=$SECONDS status=SURVIVED by=''
    log=$logs/$(printf '%02d' $((i + 1))).log
    mutate "$root/$file" "$tree/$file" "${anchors[i]}" "${olds[i]}" "${news[i]}"
    : >"$log"
    for program in ${programs[$file]}; do
        if ! build_program "$program" >>"$log" 2>&1; then
            status=STILLBORN
            break
        fi
        if ! run_program "$program" >>"$log" 2>&1; then
            status=KILLED by=$program
            break
        fi
    done
    cp "$root/$file" "$tree/$file"
    case $status in
    KILLED)
        killed=$((killed + 1))
        [[ -z ${equivs[i]} ]] || wrongly_equivalent=$((wrongly_equivalent + 1)) status=KILLED!
        ;;
    SURVIVED)
        if [[ -n ${equivs[i]} ]]; then
            equivalent=$((equivalent + 1)) status=EQUIVALENT
        else
            survived=$((survived + 1))
        fi
        ;;
    STILLBORN) stillborn=$((stillborn + 1)) ;;
    esac
    printf '%3d %-10s %3ds  %-14s %s%s\n' $((i + 1)) "$status" $((SECONDS - began)) \
        "$(basename "$file")" "${descs[i]}" "${by:+  [$by]}"
    case $status in
    EQUIVALENT) echo "                     equivalent: ${equivs[i]}" ;;
    KILLED!) echo "                     marked equivalent, yet $by fails: fix the list" ;;
    STILLBORN) echo "                     does not build; see $log" ;;
    esac
done
# The scratch objects go back to the unmutated sources on the next run's build.

scored=$((total - equivalent))
echo
echo "Killed $killed of $scored faults ($((100 * killed / (scored > 0 ? scored : 1)))%);" \
    "$equivalent equivalent, $survived unexplained survivors, $stillborn not building;" \
    "$((SECONDS - start)) s in all."
[[ $survived == 0 && $stillborn == 0 && $wrongly_equivalent == 0 ]]
