function package_session(tarball, root, card_library)
  % PACKAGE_SESSION  Install, load, use and uninstall the ovrix package.
  %   package_session(TARBALL, ROOT) installs TARBALL with pkg into the
  %   scratch folder ROOT (prefix, package lists and all), loads it, checks
  %   what a user sees, runs the examples it ships, and uninstalls it. Meant
  %   for a fresh octave-cli started with --norc and HOME in ROOT, so nothing
  %   touches the user's own packages. Errors at the first thing that is not
  %   as it should be; prints "package session: ok" at the end.
  %
  %   package_session(TARBALL, ROOT, CARD_LIBRARY) builds the package against
  %   the card library CARD_LIBRARY (through OVRIX_CARD_LIBRARY) instead of
  %   the virtual card.
  real_card = nargin > 2 && ~isempty(card_library);
  if real_card
    setenv('OVRIX_CARD_LIBRARY', card_library);
  else
    unsetenv('OVRIX_CARD_LIBRARY');
  end

  commands = {'ovrix_init', 'ovrix_close', 'ovrix_config', 'ovrix_setclockrate', ...
              'ovrix_getinfo', 'ovrix_getspaceinfo', 'ovrix_getbankinfo', ...
              'ovrix_read8', 'ovrix_read16', 'ovrix_read32', ...
              'ovrix_write8', 'ovrix_write16', 'ovrix_write32', ...
              'ovrix_read8_dma', 'ovrix_read16_dma', 'ovrix_read32_dma', ...
              'ovrix_write8_dma', 'ovrix_write16_dma', 'ovrix_write32_dma'};

  pkg('prefix', fullfile(root, 'packages'), fullfile(root, 'arch'));
  pkg('local_list', fullfile(root, 'octave_packages_local'));
  pkg('global_list', fullfile(root, 'octave_packages_global'));
  check(exist('ovrix_init') == 0, 'ovrix_init is on the path before pkg load');

  % ---- install ----
  pkg('install', '-local', tarball);
  list = pkg('list');
  check(numel(list) == 1 && strcmp(list{1}.name, 'ovrix') && strcmp(list{1}.version, '0.1.0'), ...
        'pkg list does not show ovrix 0.1.0 alone');
  desc = list{1};
  pkgdir = desc.dir;
  archdir = fullfile(desc.archprefix, [__octave_config_info__('canonical_host_type') '-' ...
                                       __octave_config_info__('api_version')]);
  check(strncmp(pkgdir, root, numel(root)) && strncmp(archdir, root, numel(root)), ...
        'the package went outside the scratch prefix: %s, %s', pkgdir, archdir);
  check(exist(fullfile(pkgdir, 'packinfo', 'COPYING'), 'file') == 2, 'no COPYING in packinfo');
  check(exist(fullfile(pkgdir, 'doc', 'virtual-card.md'), 'file') == 2, 'no doc/virtual-card.md');
  check(exist('ovrix_init') == 0, 'ovrix_init is on the path before pkg load');

  % ---- load: every command a plug-in, its help beside it ----
  pkg('load', 'ovrix');
  for k = 1:numel(commands)
    where = which(commands{k});
    check(strcmp(where, fullfile(archdir, [commands{k} '.mex'])), ...
          '%s resolves to "%s", not the package''s plug-in', commands{k}, where);
    check(exist(fullfile(archdir, [commands{k} '.m']), 'file') == 2, ...
          'no help file beside %s.mex', commands{k});
  end
  text = help('ovrix_read32');
  check(~isempty(strfind(text, 'X = ovrix_read32(H, OFFSET, COUNT)')), ...
        'help ovrix_read32 does not show its usage:\n%s', text);
  check(~isempty(strfind(help('ovrix_write16'), 'convert them first with int16(x)')), ...
        'help ovrix_write16 does not say how to send values');
  overview = help('ovrix');
  for k = 1:numel(commands)
    check(~isempty(strfind(overview, commands{k})), 'help ovrix does not list %s', commands{k});
  end
  index = fileread(fullfile(pkgdir, 'packinfo', 'INDEX'));

  % ---- a round trip on the card ----
  sample = file_in_loadpath('ovrix_sample.bit');
  check(~isempty(sample), 'ovrix_sample.bit is not on the path');
  h = ovrix_init();
  check(isa(h, 'uint32'), 'ovrix_init returned a %s', class(h));
  [~, ~, board] = ovrix_getinfo(h);
  check(strcmp(board, 'xrc4sx'), 'card 0 is a "%s"', board);
  ovrix_config(h, sample);
  words = uint32([hex2dec('DEADBEEF') 1 2 hex2dec('FFFFFFFF')]);
  ovrix_write32(h, 64, words);
  check(isequal(ovrix_read32(h, 64, 4, 1), words), 'programmed round trip returned other words');
  samples = int16(-500:7:500);
  ovrix_write16_dma(h, 8192, samples, 0);
  check(isequal(ovrix_read16_dma(h, 8192, numel(samples), 0), samples), ...
        'DMA round trip returned other samples');
  maps = fileread('/proc/self/maps');

  if real_card
    % Built against the named library: it is the one loaded, no virtual card.
    check(~isempty(strfind(maps, canonicalize_file_name(card_library))), ...
          'the card library %s is not the one loaded', card_library);
    check(exist(fullfile(archdir, 'libovrix_vcard.so'), 'file') == 0, ...
          'the virtual card was built although a card library was named');
    check(exist('ovrix_vcard') == 0, 'ovrix_vcard is installed without the virtual card');
    check(isempty(strfind(index, 'ovrix_vcard')), 'INDEX lists ovrix_vcard');
    ovrix_close(h);
  else
    % The virtual card beside the plug-ins is the one loaded, and the helper
    % steers the same model the commands drive.
    check(~isempty(strfind(maps, fullfile(archdir, 'libovrix_vcard.so'))), ...
          'the plug-ins did not load the virtual card installed beside them');
    check(strcmp(which('ovrix_vcard'), fullfile(archdir, 'ovrix_vcard.mex')), ...
          'ovrix_vcard is not the package''s plug-in');
    check(~isempty(strfind(help('ovrix_vcard'), 'fail_event')), 'help ovrix_vcard is missing');
    check(~isempty(strfind(index, ' ovrix_vcard')), 'INDEX does not list ovrix_vcard');
    check(ovrix_vcard('handles') == 1, 'the helper does not see the open handle');
    check(isequal(ovrix_vcard('peek', 0, 64, 4), typecast(words(1), 'uint8')), ...
          'the helper sees other memory than the commands wrote');
    ovrix_vcard('fail', 'ADMXRC2_Read', 8);
    message = '';
    try
      ovrix_read32(h, 0, 1);
    catch err
      message = err.message;
    end
    check(~isempty(strfind(message, 'Failed to read data: Transfer lies outside')), ...
          'an injected fault gave "%s"', message);
    ovrix_close(h);
    check(ovrix_vcard('handles') == 0, 'a handle is still open after ovrix_close');

    % The examples it ships, as a user runs them, in a scratch folder.
    examples = fullfile(pkgdir, 'examples');
    out = run_example(fullfile(examples, 'register_peek_poke.m'), root);
    check(~isempty(strfind(out, 'registers: ok')), 'register_peek_poke printed:\n%s', out);
    out = run_example(fullfile(examples, 'ovrix_demo.m'), root);
    check(~isempty(strfind(out, 'DMA loopback of 1024 samples on channel 0: ok')), ...
          'ovrix_demo printed:\n%s', out);
    check(ovrix_vcard('handles') == 0 && ovrix_vcard('events') == 0, ...
          'an example left a handle or an event open');
  end

  % ---- uninstall: gone from the path and from the disk ----
  pkg('uninstall', '-local', 'ovrix');
  check(isempty(pkg('list')), 'pkg list still shows a package');
  check(exist('ovrix_read32') == 0, 'ovrix_read32 is still on the path');
  check(~exist(pkgdir, 'dir') && ~exist(archdir, 'dir'), 'uninstall left %s or %s', pkgdir, archdir);
  printf('package session: ok\n');
end

function out = run_example(file, folder)
  % What the example script FILE prints when run from FOLDER.
  here = pwd;
  cd(folder);
  try
    out = source_in_own_workspace(file);
  catch err
    cd(here);
    rethrow(err);
  end
  cd(here);
end

function out = source_in_own_workspace(file)
  % The script's variables (it may well use "here") stay in this workspace.
  out = evalc(sprintf('source(''%s'')', file));
end

function check(condition, varargin)
  if ~condition
    error('package_session: %s', sprintf(varargin{:}));
  end
end
