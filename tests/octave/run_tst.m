function ok = run_tst(file)
  % Runs the test blocks of one .tst file; true when every block passed.
  [n, nmax] = test(file, 'quiet', stdout);
  printf('%s: %d passed, %d failed\n', file, n, nmax - n);
  ok = nmax > 0 && n == nmax;
end
