function outdir = build_ovrix(varargin)
% BUILD_OVRIX  Build the ovrix MEX files with MATLAB's mex command.
%   build_ovrix()
%   build_ovrix('CardLibrary', '/path/to/libcard.so')
%   build_ovrix(..., 'OutDir', FOLDER)
%   OUTDIR = build_ovrix(...)
%
%   Builds one MEX file per command, with its help file beside it, into
%   OUTDIR (default: build-matlab in this folder); then addpath(OUTDIR).
%   Each MEX file is gateway/gateway.c, commands/transfer_width.c, the
%   command's source and the shared code of its folder (pio.c, dma.c,
%   record_outputs.c), and gateway/mex_entry.c compiled with
%   -DOVRIX_ENTRY=<command>_main, using the separate-complex API (-R2017b).
%
%   Without 'CardLibrary' the MEX files link the virtual card: its sources
%   (platform/vcard) and the event layer (platform/osevent) are first built
%   into shared libraries in OUTDIR with the system C compiler (cc, or the
%   CC environment variable), and the ovrix_vcard helper is built too. This
%   needs Linux or macOS. With 'CardLibrary' the MEX files link that library
%   instead (on Windows give its import library, .lib).
%
%   This recipe follows MATLAB's documented mex interface but is not run by
%   the project's tests (there is no MATLAB on the build machines); the
%   Octave build (CMake, or pkg install) is the tested one.
top = fileparts(mfilename('fullpath'));
opts = struct('CardLibrary', '', 'OutDir', fullfile(top, 'build-matlab'));
for k = 1:2:numel(varargin)
  opts.(validatestring(varargin{k}, fieldnames(opts))) = varargin{k + 1};
end
outdir = opts.OutDir;
if ~exist(outdir, 'dir')
  mkdir(outdir);
end
virtual = isempty(opts.CardLibrary);

gw = fullfile(top, 'gateway');
cm = fullfile(top, 'commands');
pf = fullfile(top, 'platform');
includes = {['-I' gw], ['-I' cm]};
common = {'-R2017b', '-outdir', outdir};
link = {};
rpath = {};
if isunix
  % The mex API's errors unwind through the commands' C frames.
  common{end + 1} = 'CFLAGS=$CFLAGS -fexceptions';
end

if ~isunix && virtual
  error('build_ovrix: the virtual card builds on Linux and macOS only; give ''CardLibrary''');
end
if isunix
  % The event objects the DMA commands wait on, and the virtual card.
  libs = {'ovrix_osevent', {fullfile(pf, 'osevent', 'osevent.c')}, {}};
  if virtual
    libs(2, :) = {'ovrix_vcard', {fullfile(pf, 'vcard', 'vcard.c'), fullfile(pf, 'vcard', 'vcard_status.c')}, ...
                  {['-L' outdir], '-lovrix_osevent', '-lm'}};
  end
  for k = 1:size(libs, 1)
    build_shared(libs{k, 1}, libs{k, 2}, libs{k, 3}, outdir, ...
                 {gw, fullfile(pf, 'osevent'), fullfile(pf, 'vcard')});
  end
  link = {['-L' outdir]};
  if virtual
    link{end + 1} = '-lovrix_vcard';
  end
  link{end + 1} = '-lovrix_osevent';
  rpath = {outdir};
end
if ~virtual
  % A library file given to mex is linked as it is.
  link{end + 1} = opts.CardLibrary;
  rpath{end + 1} = fileparts(opts.CardLibrary);
end
if isunix
  % The MEX files find the libraries where they were linked from.
  link{end + 1} = ['LDFLAGS=$LDFLAGS' sprintf(' -Wl,-rpath,%s', rpath{:})];
end

% One MEX file per command source commands/<folder>/ovrix_*.c.
sources = dir(fullfile(cm, '*', 'ovrix_*.c'));
for k = 1:numel(sources)
  folder = sources(k).folder;
  [~, name] = fileparts(sources(k).name);
  helpers = dir(fullfile(folder, '*.c'));
  helpers = {helpers(~strncmp({helpers.name}, 'ovrix_', 6)).name};
  helpers = cellfun(@(file) fullfile(folder, file), helpers, 'UniformOutput', false);
  mex(common{:}, includes{:}, ['-I' folder], ['-DOVRIX_ENTRY=' name '_main'], ...
      '-output', name, fullfile(gw, 'gateway.c'), fullfile(cm, 'transfer_width.c'), ...
      helpers{:}, fullfile(folder, sources(k).name), fullfile(gw, 'mex_entry.c'), link{:});
  copyfile(fullfile(top, 'mex', 'help', [name '.m']), outdir);
end
if virtual
  mex(common{:}, includes{:}, ['-I' fullfile(pf, 'vcard')], ['-I' fullfile(pf, 'osevent')], ...
      '-DOVRIX_ENTRY=ovrix_vcard_main', '-output', 'ovrix_vcard', fullfile(gw, 'gateway.c'), ...
      fullfile(top, 'tools', 'ovrix_vcard.c'), fullfile(gw, 'mex_entry.c'), link{:});
  copyfile(fullfile(top, 'mex', 'help', 'ovrix_vcard.m'), outdir);
end
copyfile(fullfile(top, 'mex', 'help', 'ovrix.m'), outdir);
copyfile(fullfile(top, 'examples', 'ovrix_sample.bit'), outdir);
fprintf('ovrix built in %s: addpath(''%s'')\n', outdir, outdir);
end

function build_shared(name, sources, libs, outdir, incdirs)
% lib<name>.so (.dylib on macOS) from C sources, with the system C compiler.
cc = getenv('CC');
if isempty(cc)
  cc = 'cc';
end
if ismac
  file = fullfile(outdir, ['lib' name '.dylib']);
  shared = sprintf('-dynamiclib -install_name @rpath/lib%s.dylib', name);
else
  file = fullfile(outdir, ['lib' name '.so']);
  shared = sprintf('-shared -Wl,-soname,lib%s.so -Wl,-rpath,''$ORIGIN''', name);
end
command = sprintf('"%s" -std=c11 -O2 -fPIC -fvisibility=hidden -pthread %s %s -o "%s" %s %s', ...
                  cc, sprintf('-I"%s" ', incdirs{:}), sprintf('"%s" ', sources{:}), file, ...
                  shared, sprintf('%s ', libs{:}));
[status, out] = system(command);
if status ~= 0
  error('build_ovrix: building %s failed:\n%s\n%s', file, command, out);
end
end
