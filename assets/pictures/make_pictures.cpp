// placeholder until the pictures land
int main() { return 0; }
