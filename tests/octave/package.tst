## The Octave package as a user installs it. pkg/dist.sh makes the tarball;
## a fresh octave-cli, with HOME and every pkg prefix and list in a scratch
## folder, installs it, loads it, uses it, runs its examples and uninstalls it
## (pkg/tests/package_session.m): once built against the virtual card, once
## against a card library named by OVRIX_CARD_LIBRARY (the CMake build's
## virtual card library standing in for a real one).

%!shared top, scratch, tarball, dist_status, run_session
%! top = canonicalize_file_name(fullfile(fileparts(file_in_loadpath('run_tst.m')), '..', '..'));
%! scratch = tempname();
%! mkdir(scratch);
%! [dist_status, tarball] = system(sprintf('"%s/pkg/dist.sh" "%s" 2>&1', top, scratch));
%! tarball = strtrim(tarball);
%! octave_cli = fullfile(OCTAVE_HOME(), 'bin', 'octave-cli');
%! if (! exist(octave_cli, 'file'))
%!   octave_cli = 'octave-cli';
%! end
%! ## run_session(NAME, ARGS): the session's exit status and output.
%! run_session = @(name, args) system(sprintf( ...
%!   ['mkdir -p "%s/%s/home" && cd "%s/%s" && env -u OVRIX_CARD_LIBRARY HOME="%s/%s/home" ' ...
%!    '"%s" --no-gui --norc --no-history --no-window-system --quiet ' ...
%!    '--eval "addpath(''%s''); package_session(''%s'', ''%s/%s''%s)" 2>&1'], ...
%!   scratch, name, scratch, name, scratch, name, octave_cli, ...
%!   fullfile(top, 'pkg', 'tests'), tarball, scratch, name, args));

%!test
%! assert(dist_status, 0, tarball);
%! [~, name] = fileparts(tarball);
%! assert(name, 'ovrix-0.1.0.tar');
%! [status, listing] = system(sprintf('tar tzf "%s"', tarball));
%! assert(status, 0);
%! listing = strsplit(strtrim(listing), "\n");
%! for f = {'ovrix-0.1.0/DESCRIPTION', 'ovrix-0.1.0/COPYING', 'ovrix-0.1.0/INDEX', ...
%!          'ovrix-0.1.0/inst/ovrix_read32.m', 'ovrix-0.1.0/inst/ovrix_sample.bit', ...
%!          'ovrix-0.1.0/inst/examples/dma_loopback_plot.m', 'ovrix-0.1.0/src/Makefile', ...
%!          'ovrix-0.1.0/src/gateway/gateway.c', 'ovrix-0.1.0/src/platform/vcard/vcard.c', ...
%!          'ovrix-0.1.0/src/tools/ovrix_vcard.c', 'ovrix-0.1.0/doc/virtual-card.md'}
%!   assert(any(strcmp(listing, f{1})), 'the tarball has no %s', f{1});
%! end

%!test
%! [status, out] = run_session('vcard', '');
%! assert(status == 0 && ! isempty(strfind(out, 'package session: ok')), ...
%!        'package session on the virtual card failed:\n%s', out);

%!test
%! library = fullfile(fileparts(which('ovrix_init')), 'libovrix_vcard.so');
%! assert(exist(library, 'file'), 2);
%! [status, out] = run_session('card_library', sprintf(', ''%s''', library));
%! assert(status == 0 && ! isempty(strfind(out, 'package session: ok')), ...
%!        'package session against %s failed:\n%s', library, out);

%!test
%! confirm_recursive_rmdir(false, 'local');
%! rmdir(scratch, 's');
