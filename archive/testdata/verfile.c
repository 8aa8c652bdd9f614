/* An empty library that only carries a version resource for the tests. */
int vtrl_verfile_marker(void) { return 1; }
