// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/WindowPositions.h"

#include "store/Store.h"

namespace lumenar {

QString WindowPositions::name(Position p)
{
    static const char *const names[kPositionCount]
        = {"xMain", "yMain", "wMain", "hMain", "xComm", "yComm", "wComm", "hComm"};
    return QLatin1String(names[p]);
}

namespace {

// Reads the rows of one kind; false when there are none.
bool readRows(const Store &store, bool delivered, WindowPositions &positions)
{
    // The first row of a name wins, as rows come in the order they were saved.
    QSqlQuery query
        = store.exec(QStringLiteral("SELECT parametru, valoare FROM Parametri WHERE \"Default\" = ? ORDER BY rowid"),
            {delivered ? 1 : 0});
    bool any = false;
    bool seen[kPositionCount] = {};
    while (query.next()) {
        any = true;
        const QString name = query.value(0).toString();
        for (int i = 0; i < kPositionCount; ++i) {
            const auto p = static_cast<Position>(i);
            if (!seen[i] && name == WindowPositions::name(p)) {
                positions[p] = query.value(1).toDouble();
                seen[i] = true;
            }
        }
    }
    return any;
}

} // namespace

bool LoadWindowPositions(const Store &store, bool useDefaults, WindowPositions &positions)
{
    if (!useDefaults && readRows(store, false, positions))
        return true;
    readRows(store, true, positions);
    return false;
}

void SaveWindowPositions(const Store &store, const WindowPositions &positions)
{
    Store::Transaction tx(store);
    store.run(QStringLiteral("DELETE FROM Parametri WHERE \"Default\" = 0"));
    for (int i = 0; i < kPositionCount; ++i) {
        const auto p = static_cast<Position>(i);
        store.run(QStringLiteral("INSERT INTO Parametri (parametru, valoare) VALUES (?, ?)"),
            {WindowPositions::name(p), positions[p]});
    }
    tx.commit();
}

WindowPositions DefaultWindowPositions(int w, int h)
{
    const double W = w;
    const double H = h;
    WindowPositions p;
    p[xMain] = W / 5;
    p[yMain] = H / 8;
    p[wMain] = W / 5 * 3;
    p[hMain] = H / 4 * 3;
    p[xComm] = W / 5 / 2;
    p[yComm] = H / 4;
    p[wComm] = W / 5 * 4;
    p[hComm] = H / 2;
    return p;
}

} // namespace lumenar
