#include "startup.h"

int main(int argc, char *argv[])
{
    return runInstaller(argc, argv);
}
