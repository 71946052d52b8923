// Boost.JSON, compiled into the command from its headers alone (no library to link).
#include <boost/json/src.hpp>
