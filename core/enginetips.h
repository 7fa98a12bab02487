#pragma once

#include <QString>
#include <QStringList>

// The numbered advice the tips screen shows for one engine, keyed by the display name that
// `EngineName` holds ("AOL", "Hot Bot", not the list entries "Aol", "HotBot").

// The pieces of the engine's advice in order (Yahoo's introduction first, then its tips); an
// empty list when `engineName` is not one of the nine display names, compared exactly.
QStringList EngineTipPieces(const QString &engineName);

// The text the tips screen appends for the engine: the pieces joined by two line breaks, with
// nothing before the first and nothing after the last; empty for an unknown name.
QString EngineTipsText(const QString &engineName);
