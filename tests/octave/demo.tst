## The example session runs through on the virtual card.

%!test
%! ovrix_vcard('reset');
%! examples = fullfile(fileparts(file_in_loadpath('run_tst.m')), '..', '..', 'examples');
%! out = evalc(sprintf("source('%s')", fullfile(examples, 'demo.m')));
%! assert(! isempty(strfind(out, 'programmed loopback of 4 words: ok')));
%! assert(! isempty(strfind(out, 'DMA loopback of 1024 samples on channel 0: ok')));
%! assert(ovrix_vcard('handles'), 0);
%! assert(ovrix_vcard('events'), 0);
