#include "app/app_main.h"

int main(int argc, char** argv) {
    return vx::RunVeltranix(argc, argv);
}
