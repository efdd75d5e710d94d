// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

namespace lumenar {

class Store;

// Where the main and the detail window stand, in twips (1/1440 inch), as kept in Parametri.
enum Position { xMain, yMain, wMain, hMain, xComm, yComm, wComm, hComm };
constexpr int kPositionCount = 8;

struct WindowPositions
{
    std::array<double, kPositionCount> values{};

    double &operator[](Position p) { return values[p]; }
    double operator[](Position p) const { return values[p]; }
    static QString name(Position p);
};

// Reads the user's saved rows, or the delivered rows when the user saved none (or when
// useDefaults is set). Returns true when the user's rows were used. A name missing from
// the rows read keeps its present value. Throws LumenarError.
bool LoadWindowPositions(const Store &store, bool useDefaults, WindowPositions &positions);

// Replaces the user's rows by the eight present values, in one transaction.
void SaveWindowPositions(const Store &store, const WindowPositions &positions);

// The places derived from a screen of the given size in twips.
WindowPositions DefaultWindowPositions(int screenWidthTwips, int screenHeightTwips);

constexpr double kTwipsPerInch = 1440.0;
inline double pixelsToTwips(double pixels, double dotsPerInch)
{
    return pixels * kTwipsPerInch / dotsPerInch;
}
inline double twipsToPixels(double twips, double dotsPerInch)
{
    return twips * dotsPerInch / kTwipsPerInch;
}

} // namespace lumenar
