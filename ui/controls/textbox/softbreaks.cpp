#include "ui/controls/textbox/softbreaks.h"

#include <QTextBlock>
#include <QTextDocument>

namespace {

// The state of a block whose break before it is soft: it stands for a blank. Qt gives a block
// made by splitting another no state, so a line break nobody cut is never soft.
constexpr int SoftBreakState = 0x50f7b7;

} // namespace

bool continuesParagraph(const QTextBlock &block)
{
    return block.userState() == SoftBreakState;
}

void markBreakBefore(QTextBlock block, bool soft)
{
    block.setUserState(soft ? SoftBreakState : -1);
}

std::pair<int, int> paragraphAround(const QTextDocument *document, int position, int reach)
{
    QTextBlock first = document->findBlock(position);
    while (continuesParagraph(first) && first.previous().isValid() && first.position() > qint64(position) - reach)
        first = first.previous();
    QTextBlock last = document->findBlock(position);
    while (last.next().isValid() && continuesParagraph(last.next()) &&
           last.position() + last.length() <= qint64(position) + reach)
        last = last.next();
    return {first.position(), last.position() + last.length() - 1};
}
