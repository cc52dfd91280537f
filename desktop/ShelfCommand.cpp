#include "ShelfCommand.h"
#include "Shelf.h"
#include "ShelfModel.h"
#include "SpeechSettings.h"
#include <cstdio>

int RunListShelfCommand()
{
    Shelf shelf;
    if (!shelf.load()) {
        std::fprintf(stderr, "tarrowin: the shelf file %s cannot be read\n", ShelfFile::Path().toLocal8Bit().constData());
        return 1;
    }
    shelf.waitForDetails();
    ShelfModel model(&shelf);
    model.setVoice(LoadSpeechSettings().voice);
    std::fputs(ShelfListing(model).toLocal8Bit().constData(), stdout);
    return 0;
}
