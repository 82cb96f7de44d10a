#include "app/startup.h"

int main(int argc, char** argv) {
    app::run(argc, argv);
}
