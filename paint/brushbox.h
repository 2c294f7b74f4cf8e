#pragma once

// The start of Brushbox: reads the configuration, builds the window and runs it. Returns the
// process's exit status.
int Main();
