#include "CCliApp.h"

int main(int argc, char** argv) {
    CCliApp app;
    return app.Run(argc, argv);
}
