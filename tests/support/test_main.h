// What the tests' main offers a test itself.
#pragma once

// Puts back the state the process started in, as before every test.
void ResetToProcessStart();
