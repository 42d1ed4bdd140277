// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ulevels.h"

#include "global.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <random>
#include <utility>

TRefreshTargets RefreshTargets;
TUserInterface UserInterface;

namespace
{

std::mt19937 &Generator()
{
    static std::mt19937 generator;
    return generator;
}

bool HasLevel()
{
    return LevelCount > 0;
}

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

std::string_view Trimmed(std::string_view line)
{
    while (!line.empty() && IsBlank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && IsBlank(line.back()))
        line.remove_suffix(1);
    return line;
}

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameKey(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiLower(x) == AsciiLower(y);
           });
}

// The value of the first info line whose key is `key`, or the empty text.
std::string InfoValue(const TLines &infoLines, std::string_view key)
{
    for (const std::string_view line : infoLines) {
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos && SameKey(line.substr(0, equals), key))
            return std::string(line.substr(equals + 1));
    }
    return {};
}

// The built-in text lives under the "TXT" prefix; resource names match whatever their case.
QString FindTextResource(const QString &name)
{
    const QDir folder(QStringLiteral(":/TXT"));
    const QStringList entries = folder.entryList(QDir::Files);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return folder.filePath(entry);
    }
    return {};
}

} // namespace

void Randomize()
{
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    Generator().seed(static_cast<std::uint32_t>(ticks));
}

int RandomBelow(int bound)
{
    std::uniform_int_distribution<int> draw(0, bound - 1);
    return draw(Generator());
}

bool HasCurrentLevel()
{
    return LevelCount > 0 && CurrentLevel > 0;
}

void RefreshWindows()
{
    if (RefreshTargets.Play2D)
        RefreshTargets.Play2D();
    if (RefreshTargets.Editeur)
        RefreshTargets.Editeur();
}

void FirstLevel()
{
    if (HasLevel() && CurrentLevel > 1)
        CurrentLevel = 1;
    RefreshWindows();
}

void PreviousLevel()
{
    if (HasLevel() && CurrentLevel > 1)
        CurrentLevel = CurrentLevel - 1;
    RefreshWindows();
}

void NextLevel()
{
    if (HasLevel() && CurrentLevel < LevelCount)
        CurrentLevel = CurrentLevel + 1;
    RefreshWindows();
}

void LastLevel()
{
    if (HasLevel() && CurrentLevel < LevelCount)
        CurrentLevel = LevelCount;
    RefreshWindows();
}

void RandomLevel()
{
    Randomize();
    if (HasLevel())
        CurrentLevel = RandomBelow(LevelCount) + 1;
    RefreshWindows();
}

void RestartLevel()
{
    RefreshWindows();
}

void DeleteAllLevels()
{
    LevelCount = 0;
    CurrentLevel = 0;
    Levels.clear();
    RefreshWindows();
}

void NewLevel()
{
    if (!UserInterface.Confirm ||
        !UserInterface.Confirm("Voulez-vous réellement créer un nouveau niveau ?"))
        return;
    LevelCount = LevelCount + 1;
    CurrentLevel = LevelCount;
    Levels.resize(static_cast<std::size_t>(LevelCount));
    TLevel &level = Levels.back();
    level.Width = NewLevelWidth;
    level.Height = NewLevelHeight;
    SizeTablo(level.Tablo, level.Width, level.Height, '-');
    if (UserInterface.ShowEditor)
        UserInterface.ShowEditor();
    RefreshWindows();
}

std::string LoadLevels()
{
    LevelCount = 0;
    CurrentLevel = 0;
    Levels.clear();

    const QString path = FindTextResource(QStringLiteral("niveaux"));
    QFile resource(path);
    if (path.isEmpty() || !resource.open(QIODevice::ReadOnly))
        return "Ressource niveaux non trouvée";
    const QByteArray text = resource.readAll();
    resource.close();

    Levels = ReadLevels(std::string_view(text.constData(), text.size()));
    LevelCount = static_cast<std::int32_t>(Levels.size());
    if (LevelCount != 0)
        CurrentLevel = 1;
    RefreshWindows();
    return {};
}

TLines SplitLines(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    // At most one line more than there are line-end bytes: counted first, the list
    // is allocated once and never grows.
    std::size_t ends = 0;
    for (const char c : text)
        ends += (c == '\r' || c == '\n') ? 1 : 0;
    TLines lines;
    lines.reserve(ends + 1);
    // The next CR and the next LF are each searched for in one sweep and kept until
    // the cut passes them.
    std::size_t nextCr = text.find('\r');
    std::size_t nextLf = text.find('\n');
    std::size_t start = 0;
    while (start < text.size()) {
        if (nextCr != std::string_view::npos && nextCr < start)
            nextCr = text.find('\r', start);
        if (nextLf != std::string_view::npos && nextLf < start)
            nextLf = text.find('\n', start);
        const std::size_t end = std::min(nextCr, nextLf);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (end == nextCr && start < text.size() && text[start] == '\n')
            ++start;
    }
    return lines;
}

std::vector<TLines> LevelBlocks(const TLines &lines)
{
    std::vector<TLines> blocks;
    TLines block;
    for (const std::string_view line : lines) {
        const std::string_view marker = Trimmed(line);
        if (marker == "[LEVEL]") {
            block.clear();
        } else if (marker == "[/LEVEL]") {
            blocks.push_back(std::move(block));
            block.clear();
        } else {
            block.push_back(line);
        }
    }
    return blocks;
}

void AddLevel(std::vector<TLevel> &levels, const TLines &block)
{
    // Room for every line in each, so that neither grows line by line.
    TLines gridLines;
    TLines infoLines;
    gridLines.reserve(block.size());
    infoLines.reserve(block.size());
    for (const std::string_view line : block) {
        if (line.find('#') != std::string_view::npos)
            gridLines.push_back(line);
        if (line.find('=') != std::string_view::npos)
            infoLines.push_back(line);
    }
    TLevel &level = levels.emplace_back();
    ReadLevelGrid(level, gridLines);
    ReadLevelInfos(level, infoLines);
}

void ReadLevelInfos(TLevel &level, const TLines &infoLines)
{
    level.Author = InfoValue(infoLines, "Author");
    level.Title = InfoValue(infoLines, "Title");
    level.Collection = InfoValue(infoLines, "Collection");
    level.AuthorMail = InfoValue(infoLines, "AuthorMail");
    level.AuthorPage = InfoValue(infoLines, "AuthorPage");
    level.Date = InfoValue(infoLines, "Date");
}

std::vector<TLevel> ParseLevels(const TLines &lines)
{
    const std::vector<TLines> blocks = LevelBlocks(lines);
    std::vector<TLevel> levels;
    levels.reserve(blocks.size());
    for (const TLines &block : blocks)
        AddLevel(levels, block);
    return levels;
}

std::vector<TLevel> ReadLevels(std::string_view text)
{
    return ParseLevels(SplitLines(text));
}

void ReadLevelGrid(TLevel &level, const TLines &rows)
{
    std::size_t width = 0;
    for (const std::string_view row : rows)
        width = std::max(width, row.size());
    level.Width = static_cast<std::int32_t>(width);
    level.Height = width > 0 ? static_cast<std::int32_t>(rows.size()) : 0;

    SizeTablo(level.Tablo, level.Width, level.Height, ' ');
    // Through the columns' storage: two checked lookups per cell cost more than the
    // copy, and every row is known to fit.
    std::vector<char> *const columns = level.Tablo.data();
    for (std::size_t y = 0; y < rows.size(); ++y) {
        const char *const cells = rows[y].data();
        const std::size_t length = rows[y].size();
        for (std::size_t x = 0; x < length; ++x)
            columns[x].data()[y] = cells[x];
    }
}

std::vector<std::string> TabloRows(const TTablo &tablo, std::int32_t width, std::int32_t height)
{
    std::vector<std::string> rows(static_cast<std::size_t>(std::max(height, 0)));
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x)
            rows[y] += tablo[x][y];
    }
    return rows;
}

bool CopyCurrentLevel(TTablo &tablo, std::int32_t &width, std::int32_t &height)
{
    if (!HasCurrentLevel())
        return false;
    const TLevel &level = Levels[static_cast<std::size_t>(CurrentLevel - 1)];
    width = level.Width;
    height = level.Height;
    tablo = level.Tablo; // sized and copied cell by cell in one go
    return true;
}

std::optional<std::vector<TSolution>> ParseSolutions(std::string_view text)
{
    std::vector<TSolution> solutions;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos)
            return std::nullopt; // the last line has no end
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);

        const std::size_t space = line.find(' ');
        if (space == 0 || space == std::string_view::npos || space + 1 == line.size())
            return std::nullopt;
        TSolution solution;
        for (const char digit : line.substr(0, space)) {
            if (digit < '0' || digit > '9' || solution.Level > 99999)
                return std::nullopt;
            solution.Level = solution.Level * 10 + (digit - '0');
        }
        solution.Moves = line.substr(space + 1);
        if (solution.Level == 0 ||
            solution.Moves.find_first_not_of("lurdLURD") != std::string::npos)
            return std::nullopt;
        solutions.push_back(std::move(solution));
    }
    return solutions;
}
