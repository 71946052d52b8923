// A library file with an export too many, which the export check must refuse.
extern "C" __declspec(dllexport) int DispatchAPI(void *) { return 0; }
extern "C" __declspec(dllexport) int Extra() { return 1; }
