// The level tool's entry point.
#include "levels/tool.h"

int main(int argc, char** argv) { return levels::RunLevelTool({argv + 1, argv + argc}); }
