// A loadable library that is no host module: it exports none of the host's entry points.
extern "C" __attribute__((visibility("default"))) int FixtureSomethingElse()
{
    return 42;
}
