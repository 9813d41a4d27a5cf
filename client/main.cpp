#include "shell/ClientStartup.h"

int main(int argc, char *argv[])
{
    return LynClient::ClientStartup::run(argc, argv);
}
