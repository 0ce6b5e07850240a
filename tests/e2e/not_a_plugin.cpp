// A library that loads but is no plug-in: it has neither of the two exports.
extern "C" int notAPlugin() { return 0; }
