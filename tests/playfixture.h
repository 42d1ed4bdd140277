#pragma once

// Levels written as pictures, loaded into the collection for the windows to show.
#include "global.h"
#include "ulevels.h"

#include <QStringList>

// One level from its rows, shorter rows filled with spaces; every byte is kept.
inline TLevel MakeLevel(const QStringList &rows)
{
    TLevel level;
    level.Height = rows.size();
    for (const QString &row : rows)
        level.Width = std::max(level.Width, std::int32_t(row.size()));
    if (level.Width == 0)
        level.Height = 0;
    SizeTablo(level.Tablo, level.Width, level.Height, ' ');
    for (int y = 0; y < level.Height; ++y) {
        const QByteArray bytes = rows[y].toLatin1();
        for (int x = 0; x < bytes.size(); ++x)
            level.Tablo[x][y] = bytes[x];
    }
    return level;
}

// Replaces the collection with these levels, makes `current` current and refreshes.
inline void UseLevels(const QList<QStringList> &levels, int current = 1)
{
    Levels.clear();
    for (const QStringList &rows : levels)
        Levels.push_back(MakeLevel(rows));
    LevelCount = std::int32_t(Levels.size());
    CurrentLevel = LevelCount ? current : 0;
    RefreshWindows();
}

inline QStringList RowsOf(const TTablo &tablo, int width, int height)
{
    QStringList rows;
    for (int y = 0; y < height; ++y) {
        QString row;
        for (int x = 0; x < width; ++x)
            row += QLatin1Char(tablo[x][y]);
        rows << row;
    }
    return rows;
}
