#include "ulevels.h"

#include "global.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <random>

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
    level.Width = 16;
    level.Height = 12;
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

    ParseLevels(SplitLines(std::string_view(text.constData(), text.size())));
    if (LevelCount != 0)
        CurrentLevel = 1;
    RefreshWindows();
    return {};
}

TLines SplitLines(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    TLines lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

void ParseLevels(const TLines &lines)
{
    TLines block;
    for (const std::string_view line : lines) {
        const std::string_view marker = Trimmed(line);
        if (marker == "[LEVEL]") {
            block.clear();
        } else if (marker == "[/LEVEL]") {
            AddLevel(block);
            block.clear();
        } else {
            block.push_back(line);
        }
    }
}

void AddLevel(const TLines &block)
{
    LevelCount = LevelCount + 1;
    Levels.resize(static_cast<std::size_t>(LevelCount));

    TLines gridLines;
    TLines infoLines;
    for (const std::string_view line : block) {
        if (line.find('#') != std::string_view::npos)
            gridLines.push_back(line);
        if (line.find('=') != std::string_view::npos)
            infoLines.push_back(line);
    }
    ReadLevelGrid(gridLines);
    ReadLevelInfos(infoLines);
}

void ReadLevelGrid(const TLines &gridLines)
{
    if (Levels.empty())
        return;
    TLevel &level = Levels.back();
    std::size_t width = 0;
    for (const std::string_view line : gridLines)
        width = std::max(width, line.size());
    level.Height = static_cast<std::int32_t>(gridLines.size());
    level.Width = static_cast<std::int32_t>(width);

    SizeTablo(level.Tablo, level.Width, level.Height, ' ');
    for (std::size_t y = 0; y < gridLines.size(); ++y) {
        const std::string_view row = gridLines[y];
        for (std::size_t x = 0; x < row.size(); ++x)
            level.Tablo[x][y] = row[x];
    }
}

void ReadLevelInfos(const TLines &infoLines)
{
    if (Levels.empty())
        return;
    TLevel &level = Levels.back();
    level.Author = InfoValue(infoLines, "Author");
    level.Title = InfoValue(infoLines, "Title");
    level.Collection = InfoValue(infoLines, "Collection");
    level.AuthorMail = InfoValue(infoLines, "AuthorMail");
    level.AuthorPage = InfoValue(infoLines, "AuthorPage");
    level.Date = InfoValue(infoLines, "Date");
}
