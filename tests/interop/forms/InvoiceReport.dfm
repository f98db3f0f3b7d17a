object InvoiceReport: TInvoiceReport
  Left = 0
  Top = 0
  Width = 794
  Height = 1123
  DataSet = InvoiceQuery
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -13
  Font.Name = 'Arial'
  Font.Style = []
  Page.Orientation = poPortrait
  Page.PaperSize = 9
  Page.PaperHeight = 297.0
  Page.PaperWidth = 210.0
  Page.TopMargin = 12.7
  Page.BottomMargin = 12.7
  Page.LeftMargin = 19.05
  Page.RightMargin = 19.05
  Page.Zoom = 1.25
  PrintIfEmpty = True
  Units = Millimeters
  Zoom = 100
  object TitleBand: TReportBand
    Left = 72
    Top = 48
    Width = 650
    Height = 80
    BandType = rbTitle
    Frame.DrawBottom = True
    Frame.Width = 2
    Size.Values = (
      211.666666666666667
      1719.791666666666667)
    object TitleLabel: TReportLabel
      Left = 0
      Top = 8
      Width = 280
      Height = 32
      AlignToBand = True
      Caption = 'Rechnung / Invoice'
      Font.Height = -27
      Font.Style = [fsBold]
      Size.Values = (
        84.666666666666667
        740.833333333333333)
      FontSize = 20
    end
    object CompanyMemo: TReportMemo
      Left = 420
      Top = 0
      Width = 230
      Height = 72
      Alignment = taRightJustify
      Lines.Strings = (
        'M'#252'ller & S'#246'hne GmbH'
        'Stra'#223'e des 17. Juni 135'
        '10623 Berlin'
        'Tel. +49 30 1234567')
      Transparent = True
      WordWrap = True
      FontSize = 8
    end
  end
  object DetailBand: TReportBand
    Left = 72
    Top = 128
    Width = 650
    Height = 20
    BandType = rbDetail
    ForceNewPage = False
    Size.Values = (
      52.916666666666667
      1719.791666666666667)
    object QuantityText: TReportDBText
      Left = 0
      Top = 2
      Width = 60
      Height = 16
      DataField = 'Quantity'
      Mask = '#,##0.###'
    end
    object PriceText: TReportDBText
      Left = 480
      Top = 2
      Width = 80
      Height = 16
      Alignment = taRightJustify
      DataField = 'UnitPrice'
      Mask = '#,##0.00 '#8364
    end
    object VatExpr: TReportExpr
      Left = 570
      Top = 2
      Width = 80
      Height = 16
      Expression = 'UnitPrice * Quantity * 1.19'
      Factor = 1.19
      Threshold = -0.005
    end
  end
  object SummaryBand: TReportBand
    Left = 72
    Top = 148
    Width = 650
    Height = 40
    BandType = rbSummary
    Frame.DrawTop = True
    Size.Values = (
      105.833333333333333
      1719.791666666666667)
    object TotalLabel: TReportLabel
      Left = 400
      Top = 8
      Width = 120
      Height = 20
      Caption = 'Summe / Total:'
      Font.Style = [fsBold]
    end
  end
end
