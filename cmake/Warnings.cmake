add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
                    -Wcast-align -Wunused -Woverloaded-virtual -Wconversion -Wsign-conversion
                    -Wnull-dereference -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough)
# Moc output is Qt's, not ours.
set_property(GLOBAL PROPERTY AUTOGEN_TARGETS_FOLDER autogen)
