// A loadable library that is none of the program's modules: it has another entry point.
extern "C" int wordwell_not_a_module()
{
    return 7;
}
