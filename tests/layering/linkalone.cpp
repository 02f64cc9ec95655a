// Linked with every object of one window library and only the libraries below
// it: a call from that library up into a higher floor leaves a symbol undefined.
int main() {
  return 0;
}
