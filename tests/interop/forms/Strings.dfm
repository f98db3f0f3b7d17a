object StringValues: TStringValues
  Empty = ''
  Space = ' '
  Quote = ''''
  Quotes = 'It''s ''quoted'''
  OnlyQuotes = ''''''''
  Sentence = 'The quick brown fox jumps over the lazy dog.'
  Path = 'C:\Program Files\Orders\data.db'
  Punctuation = '!"#$%&()*+,-./:;<=>?@[\]^_`{|}~'
  LineBreaks = 'first'#13#10'second'#13#10'third'
  Tabbed = 'a'#9'b'#9'c'
  Nul = #0
  NulInside = 'before'#0'after'
  Controls = #1#2#3#4#5#6#7#8#9#10#11#12#13#14#15#16#17#18#19#20#21#22#23#24#25#26#27#28#29#30#31
  Delete = #127
  Latin1High = #160#169#174#233#255
  FirstWide = #256
  Euro = 'Price: 10 '#8364
  Surrogates = #55357#56832
  LoneHigh = #55357
  LoneLow = #56832
  MaxChar = #65535
  Joined = 'ab' + 'cd' + #13#10 + 'ef'
  JoinedWide = 'caf' + #233
  Chars = #65#66#67
  Exactly64 = 'zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz'
  Exactly65 = 'zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz'
  Short255 = 'xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx'
  Long256 = 'yyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyy'
  Strings = (
    ''
    'It''s'
    #13#10
    #233
    'mixed '#8364' and '#55357#56832)
end
