#include "core/pageproject.h"

PageProject &pageProject()
{
    static PageProject project;
    return project;
}
