#pragma once
#include "ReadAloudLayout.h"

// The read-aloud window as designed, in twips: its client area, the button bar's width and the
// places of the bar's controls (inside the bar, whose top is the window's top).
namespace ReadAloudDesign {
constexpr double kClientWidth = 7995;
constexpr double kClientHeight = 4965;
constexpr double kBarWidth = 2040;
constexpr double kFileListHeight = 1800;

// Two columns of controls, a row every 510 twips from 60 down.
constexpr TwipsRect Cell(int column, int row, double height = 450)
{
    return {column == 0 ? 60.0 : 1050.0, 60.0 + row * 510.0, 930, height};
}
// A control across the bar's width.
constexpr TwipsRect Wide(int row, double height = 450)
{
    return {60, 60.0 + row * 510.0, 1920, height};
}

constexpr TwipsRect kStart = Cell(0, 0);
constexpr TwipsRect kStop = Cell(1, 0);
constexpr TwipsRect kPause = Cell(0, 1);
constexpr TwipsRect kRead = Cell(1, 1);
constexpr TwipsRect kSpeechSettings = Cell(0, 2);
constexpr TwipsRect kPercentage = Cell(1, 2);
constexpr TwipsRect kPieceLength = {60, 60 + 3 * 510, 600, 360};
constexpr TwipsRect kByPieces = {720, 60 + 3 * 510, 1260, 360};
constexpr TwipsRect kExportAudio = Cell(0, 4);
constexpr TwipsRect kSleepTimer = Cell(1, 4);
// Their row, shared as their captions need (see ShareRow), the columns' gap apart.
constexpr TwipsRect kExportRow = Wide(4);
constexpr double kColumnGap = 1050 - 990;
// The chapter buttons share a row in thirds (previous, table of contents, next), where the
// search button stands until the layout moves it beside the search box.
constexpr TwipsRect Third(int column, int row)
{
    return {60.0 + column * 650.0, 60.0 + row * 510.0, 620, 450};
}
constexpr TwipsRect kPreviousChapter = Third(0, 5);
constexpr TwipsRect kContents = Third(1, 5);
constexpr TwipsRect kNextChapter = Third(2, 5);
constexpr TwipsRect kChapterRow = Wide(5);
constexpr double kThirdGap = 650 - 620;
constexpr TwipsRect kOpen = Cell(0, 6);
constexpr TwipsRect kRecent = Cell(1, 6);
constexpr TwipsRect kSearch = Wide(5);
constexpr TwipsRect kEncodingCaption = {60, 60 + 8 * 510, 600, 360};
constexpr TwipsRect kEncoding = {720, 60 + 8 * 510, 1260, 360};
constexpr TwipsRect kRestart = Wide(7);
constexpr TwipsRect kHomePage = Wide(7, 360);
// Below the encoding, the last row of the bar.
constexpr TwipsRect kFollowAlong = {60, 60 + 8 * 510 + 420, 1920, 360};
}
