#include "common/programmain.h"
#include "paint/brushbox.h"
#include "paint/checkpaint.h"

int main(int argc, char** argv)
{
    return programMain(argc, argv, {"brushbox", "Brushbox", "zypaint.ini", "Brushbox, a paint program for children.",
                                    runPaintCheck, Main, QSize(641, 481)});
}
