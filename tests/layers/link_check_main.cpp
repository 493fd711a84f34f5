// Nothing to run: linking is the check.
int main() { return 0; }
