// Compiled with the flags of the shell's library, which links the core and the
// platform alone. CABECERA names the header this file includes: one of the
// shell's own must compile, one of another window group must not be found.
#include CABECERA

int main() { return 0; }
