#pragma once

#include <limits>
#include <utility>

class QTextBlock;
class QTextDocument;

// A text box cuts a long paragraph into pieces, each a block of its document; the break before a
// piece is soft: it stands for the blank the cut replaced. The mark is kept as the block's user
// data (a highlighter that sets user data of its own is not to be put on a text box).

// The break before the block is soft: the block goes on with the paragraph of the one before.
bool continuesParagraph(const QTextBlock &block);
void markBreakBefore(QTextBlock block, bool soft);
// The paragraph around `position`, over soft breaks: where it starts and ends; or, where it
// reaches further than `reach` from it, a start and an end at least that far.
std::pair<int, int> paragraphAround(const QTextDocument *document, int position,
                                    int reach = std::numeric_limits<int>::max());
