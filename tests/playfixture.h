// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Levels written as pictures, loaded into the collection for the windows to show.
#include "global.h"
#include "ulevels.h"

#include <QStringList>

// One level from its rows, shorter rows filled with spaces; every byte is kept.
inline TLevel LevelOfRows(const QStringList &rows)
{
    std::vector<QByteArray> bytes;
    for (const QString &row : rows)
        bytes.push_back(row.toLatin1());
    TLines lines;
    for (const QByteArray &row : bytes)
        lines.emplace_back(row.constData(), std::size_t(row.size()));
    TLevel level;
    ReadLevelGrid(level, lines);
    return level;
}

// Replaces the collection with these levels, makes `current` current and refreshes.
inline void UseLevels(const QList<QStringList> &levels, int current = 1)
{
    Levels.clear();
    for (const QStringList &rows : levels)
        Levels.push_back(LevelOfRows(rows));
    LevelCount = std::int32_t(Levels.size());
    CurrentLevel = LevelCount ? current : 0;
    RefreshWindows();
}

inline QStringList RowsOf(const TTablo &tablo, int width, int height)
{
    QStringList rows;
    for (const std::string &row : TabloRows(tablo, width, height))
        rows << QString::fromLatin1(row.data(), qsizetype(row.size()));
    return rows;
}

inline QStringList RowsOf(const TLevel &level)
{
    return RowsOf(level.Tablo, level.Width, level.Height);
}
