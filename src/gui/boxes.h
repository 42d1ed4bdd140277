// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Every question and message the game puts to the user goes through here.
// Both boxes are modal and centred on the screen.

// Caption "Confirmation", question icon, "&Oui" (Enter) and "&Non" (Escape).
// True only when "&Oui" was pressed; closing the box counts as "&Non".
bool ConfirmationBox(const QString &question);

// Captioned with the application title, no icon, one "OK" for Enter and Escape.
void InformationBox(const QString &text);
