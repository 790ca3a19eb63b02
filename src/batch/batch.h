// The batch tool: command line, order of work, exit statuses.
#pragma once

namespace ormevak::batch {

// 0 finished, 1 the input phase ended the program, 2 usage error.
int run(int argc, char** argv);

} // namespace ormevak::batch
