// The figure-file reader of colouring pictures.
#include "fuzzsupport.h"
#include "paint/lineini.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzInit();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    LineFigure figure;
    const bool read = pntOpenLineINI(fuzzWrite(QStringLiteral("figure.INI"), QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))), figure);
    // A figure either has its points or is cleared; never a count beyond its points.
    if (figure.intLineCount < 0 || figure.points.size() < figure.intLineCount || (read && !figure.hasFigure()))
        __builtin_trap();
    return 0;
}
