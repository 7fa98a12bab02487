#pragma once

struct PageProject;

// Sets KeywordBlock to one, two or three cycles of the four phrases by SpamDetectionLevel
// "0", "1" or "2"; any other level keeps the block of the last derivation.
void BuildKeywordBlock(PageProject &project);
